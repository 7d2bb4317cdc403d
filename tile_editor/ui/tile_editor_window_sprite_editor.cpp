// The sprite panel: drawing and the buttons that transform the current sprite. The
// work is done by the document functions of sprite_editing.h.
#include "tile_editor_window.h"

#include "pixel_rows.h"
#include "pixel_view.h"
#include "sprite_editing.h"
#include "table_rendering.h"
#include "view_geometry.h"

#include <QPushButton>

namespace tile {

void TileEditorWindow::drawSpritePixelAt(int button, double x, double y)
{
    const CellPos pixel = spritePixelAt(x, y);
    if (!drawSpritePixel(m_doc, button, pixel))
        return;
    // Only the pixel's block changes; the rest of the view already shows the sprite.
    const tms::ColorValue color =
        button == LeftButton ? spriteDisplayColor(m_doc, m_palette, m_doc.currentSprite) : m_palette[0];
    tms::fillBlock(m_spriteView->buffer(), spriteViewScale * pixel.column, spriteViewScale * pixel.row, spriteViewScale,
                   spriteViewScale, color);
    m_spriteView->present();
}

void TileEditorWindow::onSpriteEditorMousePressed(int button, int, double x, double y)
{
    drawSpritePixelAt(button, x, y);
}

void TileEditorWindow::onSpriteEditorMouseMoved(int button, int, double x, double y)
{
    drawSpritePixelAt(button, x, y);
}

void TileEditorWindow::onSpritePreviousClicked()
{
    previousSprite(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteNextClicked()
{
    nextSprite(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteColorClicked()
{
    cycleSpriteColor(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteFlipXClicked()
{
    flipSpriteX(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteFlipYClicked()
{
    flipSpriteY(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteRotateClicked()
{
    rotateSprite(m_doc);
    presentSprite();
}

void TileEditorWindow::onSpriteScrollUpClicked()
{
    scrollSprite(m_doc, Direction::Up);
    presentSprite();
}

void TileEditorWindow::onSpriteScrollDownClicked()
{
    scrollSprite(m_doc, Direction::Down);
    presentSprite();
}

void TileEditorWindow::onSpriteScrollLeftClicked()
{
    scrollSprite(m_doc, Direction::Left);
    presentSprite();
}

void TileEditorWindow::onSpriteScrollRightClicked()
{
    scrollSprite(m_doc, Direction::Right);
    presentSprite();
}

void TileEditorWindow::onSpriteCopyClicked()
{
    copySprite(m_doc, m_editing.copies);
    m_spritePasteButton->setEnabled(true);
}

void TileEditorWindow::onSpritePasteClicked()
{
    pasteSprite(m_doc, m_editing.copies);
    presentSprite();
}

void TileEditorWindow::onSpriteClearClicked()
{
    clearSprite(m_doc);
    // The pattern is blank now: the whole view in the transparent colour. The caption
    // already names the current sprite.
    tms::fillBlock(m_spriteView->buffer(), 0, 0, spriteViewSize, spriteViewSize, m_palette[0]);
    m_spriteView->present();
}

} // namespace tile
