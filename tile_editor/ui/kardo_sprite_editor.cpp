// The sprite panel: drawing and the buttons that transform the current sprite. The
// work is done by the document functions of sprite_editing.h.
#include "kardo_window.h"

#include "pixel_rows.h"
#include "pixel_view.h"
#include "sprite_editing.h"
#include "table_rendering.h"
#include "view_geometry.h"

#include <QPushButton>

namespace tile {

void KardoWindow::drawSpritePixelAt(int button, double x, double y)
{
    const CellPos pixel = spritePixelAt(x, y);
    if (!drawSpritePixel(m_doc, button, pixel))
        return;
    // Only the pixel's block changes; the rest of the view already shows the sprite.
    const tms::ColorValue color =
        button == LeftButton ? spriteDisplayColor(m_doc, m_palette, m_doc.currentSprite) : m_palette[0];
    tms::fillBlock(SPRITE->buffer(), spriteViewScale * pixel.column, spriteViewScale * pixel.row, spriteViewScale,
                   spriteViewScale, color);
    SPRITE->present();
}

void KardoWindow::SPRITE_MouseDown(int Button, int, double X, double Y)
{
    drawSpritePixelAt(Button, X, Y);
}

void KardoWindow::SPRITE_MouseMove(int Button, int, double X, double Y)
{
    drawSpritePixelAt(Button, X, Y);
}

void KardoWindow::cmd_sprite_previous_Click()
{
    previousSprite(m_doc);
    presentSprite();
}

void KardoWindow::cmd_sprite_next_Click()
{
    nextSprite(m_doc);
    presentSprite();
}

void KardoWindow::cmd_sprite_color_Click()
{
    cycleSpriteColor(m_doc);
    presentSprite();
}

void KardoWindow::cmd_sprite_flipx_Click()
{
    flipSpriteX(m_doc);
    presentSprite();
}

void KardoWindow::cmd_sprite_flipy_Click()
{
    flipSpriteY(m_doc);
    presentSprite();
}

void KardoWindow::cmd_sprite_rotate_Click()
{
    rotateSprite(m_doc);
    presentSprite();
}

void KardoWindow::cmd2_scroll_up_Click()
{
    scrollSprite(m_doc, Direction::Up);
    presentSprite();
}

void KardoWindow::cmd2_scroll_down_Click()
{
    scrollSprite(m_doc, Direction::Down);
    presentSprite();
}

void KardoWindow::cmd2_scroll_left_Click()
{
    scrollSprite(m_doc, Direction::Left);
    presentSprite();
}

void KardoWindow::cmd2_scroll_right_Click()
{
    scrollSprite(m_doc, Direction::Right);
    presentSprite();
}

void KardoWindow::cmd_sprite_copy_Click()
{
    copySprite(m_doc, m_editing.copies);
    cmd_sprite_paste->setEnabled(true);
}

void KardoWindow::cmd_sprite_paste_Click()
{
    pasteSprite(m_doc, m_editing.copies);
    presentSprite();
}

void KardoWindow::cmd_sprite_clean_Click()
{
    clearSprite(m_doc);
    // The pattern is blank now: the whole view in the transparent colour. The caption
    // already names the current sprite.
    tms::fillBlock(SPRITE->buffer(), 0, 0, spriteViewSize, spriteViewSize, m_palette[0]);
    SPRITE->present();
}

} // namespace tile
