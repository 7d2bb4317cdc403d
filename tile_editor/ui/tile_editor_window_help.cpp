// What helps a new user find their way in KARDO: a tooltip on every control without a
// caption, an outline on the palette colour that is as grey as the window, and a
// window that cannot be shrunk over its fixed layout. Both editions go through here.
#include "tile_editor_window.h"

#include "color_swatch.h"
#include "pixel_view.h"
#include "window_aids.h"

#include <QPushButton>

namespace tile {

void TileEditorWindow::outlineLightSwatch()
{
    const int light = tms::lightSwatchIndex;
    if (m_paletteSwatches[light])
        m_paletteSwatches[light]->drawOutline(tms::swatchOutlineColor());
    if (m_colorStrip) { // screen mode 1: sixteen boxes in one strip, a gap below each
        const int pitch = m_colorStrip->buffer().height() / 16;
        m_colorStrip->setFrame(QRect(0, pitch * light, m_colorStrip->buffer().width(), pitch - 1),
                               tms::swatchOutlineColor());
    }
}

void TileEditorWindow::addNewUserAids()
{
    for (int i = 0; i < 16; ++i)
        if (m_paletteSwatches[i])
            m_paletteSwatches[i]->setToolTip(
                QStringLiteral("Colour %1: click to give it to the selected swatch").arg(i));
    if (m_colorStrip)
        m_colorStrip->setToolTip(QStringLiteral("Palette: click a colour to give it to the selected swatch"));
    for (int y = 0; y < 8 && m_rowSwatches[2 * y + 1]; ++y) {
        if (m_rowSwatches[2 * y + 1]->toolTip().isEmpty())
            m_rowSwatches[2 * y + 1]->setToolTip(
                QStringLiteral("Foreground of row %1: click, then pick a palette colour").arg(y));
        if (m_rowSwatches[2 * y]->toolTip().isEmpty())
            m_rowSwatches[2 * y]->setToolTip(
                QStringLiteral("Background of row %1: click, then pick a palette colour").arg(y));
    }

    // The thin scroll buttons around the character, the screen and the sprite.
    const struct {
        const char* prefix;
        const char* what;
    } scrolled[] = {{"cmd3_scroll_", "the character"}, {"cmd_scroll_", "the screen"}, {"cmd2_scroll_", "the sprite"}};
    for (const auto& view : scrolled)
        for (const char* direction : {"up", "down", "left", "right"})
            if (auto* button = findChild<QPushButton*>(QString::fromLatin1(view.prefix) + QLatin1String(direction)))
                button->setToolTip(QStringLiteral("Scroll %1 %2 (what leaves one edge comes back at the other)")
                                       .arg(QLatin1String(view.what), QLatin1String(direction)));

    // The layout is placed by hand: shrinking the window would hide part of it.
    setMinimumSize(size()); // the size set by the constructor
    outlineLightSwatch();
}

} // namespace tile
