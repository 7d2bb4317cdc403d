#pragma once
// Decoding a picture file off the GUI thread. A large picture (8000 x 8000 pixels) takes
// seconds to decode; the window keeps painting meanwhile, shows a busy cursor and, when
// the decode lasts, a small progress window whose Cancel (or Escape) stops it. A
// cancelled decode gives no picture, so the document stays as it was.

#include <QImage>
#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace tms {

// What a decode gave: the picture, or the reason there is none. cancelled when the user
// stopped it (there is nothing to tell then).
struct DecodedPicture {
    std::optional<QImage> image;
    QString error;
    bool cancelled = false;
};

// Reads the picture on a worker thread; it should stop soon after cancelled turns true
// (the picture reader of the dither core does, at its next read of the file).
using PictureDecoder = std::function<std::optional<QImage>(const std::atomic<bool>& cancelled, QString* error)>;

// One decode on the shared thread pool; finished() comes once, on the thread that owns
// the task, when the decode is over or cancelled.
class PictureLoadTask : public QObject {
    Q_OBJECT
public:
    explicit PictureLoadTask(PictureDecoder decoder, QObject* parent = nullptr);
    // A decode still running is cancelled; its picture, if it still comes, is dropped.
    ~PictureLoadTask() override;

    void start();
    // Ends the task at once as cancelled; the worker stops at its next read.
    void cancel();
    bool isFinished() const { return m_finished; }
    const DecodedPicture& result() const { return m_result; }

signals:
    void finished();

private:
    void finish(DecodedPicture result);

    PictureDecoder m_decoder;
    std::shared_ptr<std::atomic<bool>> m_cancelled = std::make_shared<std::atomic<bool>>(false);
    DecodedPicture m_result;
    bool m_finished = false;
};

// Runs a PictureLoadTask and waits for it with the window responsive: a busy cursor at
// once, and after a moment a window-modal progress window titled with the file's name
// whose Cancel (or Escape) cancels. Returns the task's result.
DecodedPicture decodeWhileResponsive(QWidget* owner, const QString& path, const PictureDecoder& decoder);

} // namespace tms
