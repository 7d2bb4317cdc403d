#pragma once
// Drops a local file on a widget as a file manager would, and lets the window open it.

#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

// True when the widget accepted the drag.
inline bool dropFile(QWidget* target, const QString& path)
{
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents(); // the window opens the file once the drop is over
    return true;
}
