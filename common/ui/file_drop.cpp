#include "file_drop.h"

#include "file_extension.h"

#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace tms {

namespace {

// Watches the window's drag and drop events.
class FileDropFilter : public QObject {
public:
    FileDropFilter(QWidget* window, const QStringList& extensions, std::function<void(const QString&)> open)
        : QObject(window), m_extensions(extensions), m_open(std::move(open))
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (!droppedFile(drag->mimeData(), m_extensions).isEmpty())
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData(), m_extensions);
            if (path.isEmpty())
                return false;
            drop->acceptProposedAction();
            // Opened once the drop is over, so that the source application is not held
            // while a question or a message waits for the user.
            QTimer::singleShot(0, this, [this, path] { m_open(path); });
            return true;
        }
        default: return false;
        }
    }

private:
    QStringList m_extensions;
    std::function<void(const QString&)> m_open;
};

} // namespace

QString droppedFile(const QMimeData* mime, const QStringList& extensions)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        if (extensions.isEmpty() || hasExtension(path, extensions))
            return path;
    }
    return {};
}

void acceptFileDrops(QWidget* window, const QStringList& extensions, std::function<void(const QString&)> open)
{
    window->setAcceptDrops(true);
    window->installEventFilter(new FileDropFilter(window, extensions, std::move(open)));
}

} // namespace tms
