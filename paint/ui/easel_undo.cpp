// Undo and redo of the paint program: one stack for the picture, the Edit menu, and the
// strokes of the picture view.
#include "easel_window.h"

#include "pixel_view.h"
#include "snapshot_undo.h"

#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include <cstring>

namespace paint {

namespace {

QByteArray pictureBytes(const Picture& picture)
{
    QByteArray bytes(reinterpret_cast<const char*>(picture.bitmapPatterns.data()),
                     qsizetype(picture.bitmapPatterns.size()));
    bytes.append(reinterpret_cast<const char*>(picture.bitmapColors.data()), qsizetype(picture.bitmapColors.size()));
    return bytes;
}

void setPictureBytes(Picture& picture, const QByteArray& bytes)
{
    const auto half = qsizetype(picture.bitmapPatterns.size());
    if (bytes.size() != 2 * half)
        return;
    std::memcpy(picture.bitmapPatterns.data(), bytes.constData(), std::size_t(half));
    std::memcpy(picture.bitmapColors.data(), bytes.constData() + half, std::size_t(half));
}

} // namespace

tms::DocumentUndo& EaselWindow::undo()
{
    if (!m_undo) {
        m_undoStack = new QUndoStack(this);
        m_undoStack->setObjectName(QStringLiteral("undoStack"));
        m_undo =
            std::make_unique<tms::DocumentUndo>(*m_undoStack, tms::UndoableDocument{
                                                                  [this] { return pictureBytes(m_doc.picture); },
                                                                  [this](const QByteArray& tables, bool wasModified) {
            setPictureBytes(m_doc.picture, tables);
            m_doc.modified = wasModified;
            dropFloatingBlock();
            showPicture();
                                                                  },
                                                                  [this] { return m_doc.modified; },
            });
    }
    return *m_undo;
}

void EaselWindow::recordStep(const QString& text, const std::function<void()>& action)
{
    undo().record(text, action);
}

void EaselWindow::trackStroke(tms::PixelView* view, const QString& text)
{
    // Fast drags are filled in pixel by pixel of the view shown at the press.
    connect(view, &tms::PixelView::mouseDown, this, [this, view] { view->setStrokeCellSize(currentView().scale); });
    undo().trackStrokes(view, text);
}

void EaselWindow::buildEditMenu()
{
    QMenu* editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    editMenu->setObjectName(QStringLiteral("Edit"));
    undo().addActionsTo(editMenu, this);
}

} // namespace paint
