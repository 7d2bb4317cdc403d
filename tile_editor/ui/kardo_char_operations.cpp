// The buttons around the character editor and under the pattern table. The work is
// done by the document functions of character_operations.h; these handlers pick the
// redraw each command needs and enable the Paste buttons after a Copy.
#include "kardo_window.h"

#include "character_operations.h"
#include "pixel_view.h"

#include <QPushButton>

namespace tile {

void KardoWindow::cmd_carac_flipx_Click()
{
    flipCharacterX(m_doc);
    drawCharacterViews();
}

void KardoWindow::cmd_carac_flipy_Click()
{
    flipCharacterY(m_doc);
    drawCharacterViews();
}

void KardoWindow::cmd_carac_rotate_Click()
{
    rotateCharacter(m_doc);
    drawCharacterViews();
}

void KardoWindow::cmd_carac_invert_Click()
{
    invertCharacter(m_doc);
    drawCharacterViews();
}

void KardoWindow::cmd_clear_car_Click()
{
    clearCharacter(m_doc);
    drawCharacterViews();
}

void KardoWindow::cmd3_scroll_up_Click()
{
    scrollCharacter(m_doc, Direction::Up);
    cmd_Refresh_Click();
}

void KardoWindow::cmd3_scroll_down_Click()
{
    scrollCharacter(m_doc, Direction::Down);
    cmd_Refresh_Click();
}

void KardoWindow::cmd3_scroll_left_Click()
{
    scrollCharacter(m_doc, Direction::Left);
    cmd_Refresh_Click();
}

void KardoWindow::cmd3_scroll_right_Click()
{
    scrollCharacter(m_doc, Direction::Right);
    cmd_Refresh_Click();
}

void KardoWindow::cmd_copy_car_Click()
{
    copyCharacter(m_doc, m_editing.copies);
    cmd_paste_car->setEnabled(true);
}

void KardoWindow::cmd_paste_car_Click()
{
    pasteCharacter(m_doc, m_editing.copies);
    cmd_Refresh_Click();
}

// In kardo2 the three pattern-table commands work on the whole character set.
void KardoWindow::cmd_copy_pattern_Click()
{
    if (isModeOne())
        m_setCopy = copyCharacterSet(m_doc);
    if (isModeOne() || copyBlock(m_doc, m_editing.copies))
        cmd_paste_pattern->setEnabled(true);
}

void KardoWindow::cmd_paste_pattern_Click()
{
    if (isModeOne())
        pasteCharacterSet(m_doc, m_setCopy);
    if (isModeOne() || pasteBlock(m_doc, m_editing.copies))
        cmd_Refresh_Click();
}

void KardoWindow::cmd_clear_pattern_Click()
{
    if (isModeOne())
        clearCharacterSet(m_doc);
    if (isModeOne() || clearBlock(m_doc))
        cmd_Refresh_Click();
}

} // namespace tile
