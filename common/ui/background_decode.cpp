#include "background_decode.h"

#include <QApplication>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QProgressDialog>
#include <QtConcurrent/QtConcurrentRun>

namespace tms {

PictureLoadTask::PictureLoadTask(PictureDecoder decoder, QObject* parent)
    : QObject(parent), m_decoder(std::move(decoder))
{
}

PictureLoadTask::~PictureLoadTask()
{
    m_cancelled->store(true);
}

void PictureLoadTask::start()
{
    auto* watcher = new QFutureWatcher<DecodedPicture>(this);
    connect(watcher, &QFutureWatcher<DecodedPicture>::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (!m_finished)
            finish(watcher->result());
    });
    // The worker holds its own copies: a cancelled task may be gone before it ends.
    watcher->setFuture(QtConcurrent::run([decoder = m_decoder, cancelled = m_cancelled] {
        DecodedPicture decoded;
        try {
            decoded.image = decoder(*cancelled, &decoded.error);
        } catch (const std::bad_alloc&) { // within the size limit, but not within this machine's memory
            decoded.error = QStringLiteral("not enough memory to decode the picture");
        }
        decoded.cancelled = cancelled->load();
        if (decoded.cancelled)
            decoded.image.reset();
        return decoded;
    }));
}

void PictureLoadTask::cancel()
{
    if (m_finished)
        return;
    m_cancelled->store(true);
    DecodedPicture cancelled;
    cancelled.cancelled = true;
    finish(std::move(cancelled));
}

void PictureLoadTask::finish(DecodedPicture result)
{
    m_result = std::move(result);
    m_finished = true;
    emit finished();
}

DecodedPicture decodeWhileResponsive(QWidget* owner, const QString& path, const PictureDecoder& decoder)
{
    PictureLoadTask task(decoder);

    // Shown only if the decode lasts (minimumDuration); until then the cursor says it.
    QProgressDialog progress(QStringLiteral("Reading %1...").arg(QFileInfo(path).fileName()), QStringLiteral("Cancel"),
                             0, 0, owner);
    progress.setObjectName(QStringLiteral("decodeProgress"));
    progress.setWindowTitle(QStringLiteral("Reading picture"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(400);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QObject::connect(&progress, &QProgressDialog::canceled, &task, &PictureLoadTask::cancel);
    QObject::connect(&progress, &QDialog::rejected, &task, &PictureLoadTask::cancel); // Escape

    QApplication::setOverrideCursor(Qt::BusyCursor);
    task.start();
    progress.setValue(0); // starts the progress window's timer
    // The window paints meanwhile; what the user does to it waits until the progress
    // window is up, which then keeps it from the window (modal) and offers Cancel.
    while (!task.isFinished())
        QCoreApplication::processEvents(
            QEventLoop::WaitForMoreEvents
            | (progress.isVisible() ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents));
    QApplication::restoreOverrideCursor();
    return task.result();
}

} // namespace tms
