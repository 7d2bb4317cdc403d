// Undo and redo of the tile editor: one stack for the document, the Edit menu, and the
// strokes of the drawing views.
#include "tile_editor_window.h"

#include "pixel_view.h"
#include "snapshot_undo.h"
#include "table_snapshot.h"

#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

namespace tile {

tms::DocumentUndo& TileEditorWindow::undo()
{
    if (!m_undo) {
        m_undoStack = new QUndoStack(this);
        m_undoStack->setObjectName(QStringLiteral("undoStack"));
        m_undo = std::make_unique<tms::DocumentUndo>(*m_undoStack, tms::UndoableDocument{
                                                                       [this] { return tableBytes(m_doc); },
                                                                       [this](const QByteArray& tables, bool modified) {
            setTableBytes(m_doc, tables);
            m_doc.modified = modified;
            onRefreshClicked();
                                                                       },
                                                                       [this] { return m_doc.modified; },
        });
    }
    return *m_undo;
}

void TileEditorWindow::recordStep(const QString& text, const std::function<void()>& action)
{
    undo().record(text, action);
}

void TileEditorWindow::trackStroke(tms::PixelView* view, const QString& text, int cellSize)
{
    undo().trackStrokes(view, text);
    view->setStrokeCellSize(cellSize);
}

void TileEditorWindow::buildEditMenu()
{
    m_editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    m_editMenu->setObjectName(QStringLiteral("Edit"));
    undo().addActionsTo(m_editMenu, this);
}

} // namespace tile
