// The buttons around the character editor and under the pattern table. The work is
// done by the document functions of character_operations.h; these handlers pick the
// redraw each command needs and enable the Paste buttons after a Copy.
#include "tile_editor_window.h"

#include "character_operations.h"
#include "pixel_view.h"

#include <QPushButton>

namespace tile {

void TileEditorWindow::onCharFlipXClicked()
{
    flipCharacterX(m_doc);
    drawCharacterViews();
}

void TileEditorWindow::onCharFlipYClicked()
{
    flipCharacterY(m_doc);
    drawCharacterViews();
}

void TileEditorWindow::onCharRotateClicked()
{
    rotateCharacter(m_doc);
    drawCharacterViews();
}

void TileEditorWindow::onCharInvertClicked()
{
    invertCharacter(m_doc);
    drawCharacterViews();
}

void TileEditorWindow::onCharClearClicked()
{
    clearCharacter(m_doc);
    drawCharacterViews();
}

void TileEditorWindow::onCharScrollUpClicked()
{
    scrollCharacter(m_doc, Direction::Up);
    onRefreshClicked();
}

void TileEditorWindow::onCharScrollDownClicked()
{
    scrollCharacter(m_doc, Direction::Down);
    onRefreshClicked();
}

void TileEditorWindow::onCharScrollLeftClicked()
{
    scrollCharacter(m_doc, Direction::Left);
    onRefreshClicked();
}

void TileEditorWindow::onCharScrollRightClicked()
{
    scrollCharacter(m_doc, Direction::Right);
    onRefreshClicked();
}

void TileEditorWindow::onCharCopyClicked()
{
    copyCharacter(m_doc, m_editing.copies);
    m_charPasteButton->setEnabled(true);
}

void TileEditorWindow::onCharPasteClicked()
{
    pasteCharacter(m_doc, m_editing.copies);
    onRefreshClicked();
}

// In kardo2 the three pattern-table commands work on the whole character set.
void TileEditorWindow::onPatternCopyClicked()
{
    if (traits().patternCommandsOnWholeSet)
        m_setCopy = copyCharacterSet(m_doc);
    if (traits().patternCommandsOnWholeSet || copyBlock(m_doc, m_editing.copies))
        m_patternPasteButton->setEnabled(true);
}

void TileEditorWindow::onPatternPasteClicked()
{
    if (traits().patternCommandsOnWholeSet)
        pasteCharacterSet(m_doc, m_setCopy);
    if (traits().patternCommandsOnWholeSet || pasteBlock(m_doc, m_editing.copies))
        onRefreshClicked();
}

void TileEditorWindow::onPatternClearClicked()
{
    if (traits().patternCommandsOnWholeSet)
        clearCharacterSet(m_doc);
    if (traits().patternCommandsOnWholeSet || clearBlock(m_doc))
        onRefreshClicked();
}

} // namespace tile
