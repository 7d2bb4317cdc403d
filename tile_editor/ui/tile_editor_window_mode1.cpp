// The window of the screen mode 1 edition: the two colour swatches of the current
// character's group, the vertical colour strip, the whole-set pattern
// commands and the Prototype button that writes the tables into the cartridge image.
#include "tile_editor_window.h"

#include "color_swatch.h"
#include "palette_colors.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "prototype_writer.h"
#include "user_dialogs.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace tile {

namespace {
constexpr int stripWidth = 11, stripPitch = 10, stripBoxHeight = 9;
const QColor stripGap(192, 192, 192); // the window's background between the boxes
} // namespace

void TileEditorWindow::buildModeOneColors(QWidget* area)
{
    m_rowSwatches[ForegroundTarget] = new ColorSwatch(QStringLiteral("COL"), ForegroundTarget, area);
    m_rowSwatches[ForegroundTarget]->setGeometry(44, 12, 38, 14);
    m_rowSwatches[ForegroundTarget]->setToolTip(QStringLiteral("Foreground of the group of eight characters"));
    m_rowSwatches[BackgroundTarget] = new ColorSwatch(QStringLiteral("COL"), BackgroundTarget, area);
    m_rowSwatches[BackgroundTarget]->setGeometry(86, 12, 38, 14);
    m_rowSwatches[BackgroundTarget]->setToolTip(QStringLiteral("Background of the group of eight characters"));
    for (int i : {BackgroundTarget, ForegroundTarget})
        connect(m_rowSwatches[i], &ColorSwatch::clicked, this, &TileEditorWindow::onRowSwatchClicked);

    m_colorStrip = new tms::PixelView(QStringLiteral("COLOR"), {stripWidth, 16 * stripPitch}, area);
    m_colorStrip->move(240, 8);
    trackStroke(m_colorStrip, QStringLiteral("Colour"), 0);
    connect(m_colorStrip, &tms::PixelView::mouseDown, this, &TileEditorWindow::onColorStripMousePressed);
}

void TileEditorWindow::paintColorStrip()
{
    QImage& strip = m_colorStrip->buffer();
    strip.fill(stripGap);
    for (int i = 0; i < 16; ++i)
        tms::fillBlock(strip, 0, stripPitch * i, stripWidth, stripBoxHeight, m_palette[i]);
    m_colorStrip->present();
}

void TileEditorWindow::showGroupColors()
{
    const Byte color = Byte(m_doc.rowColor(m_doc.currentChar, 0));
    m_rowSwatches[BackgroundTarget]->setFillColor(tms::toQColor(m_palette[tms::backgroundOf(color)]));
    m_rowSwatches[ForegroundTarget]->setFillColor(tms::toQColor(m_palette[tms::foregroundOf(color)]));
    markColorTarget();
}

void TileEditorWindow::markColorTarget()
{
    // A steady outline in the complementary colour marks the swatch that takes the
    // next colour; this edition has no blinking.
    for (int i : {BackgroundTarget, ForegroundTarget}) {
        const QColor fill = m_rowSwatches[i]->fillColor();
        m_rowSwatches[i]->drawOutline(
            i == m_colorTarget ? QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()) : fill);
    }
}

void TileEditorWindow::onColorStripMousePressed(int, int, double, double y)
{
    const int index = std::clamp(int(std::lround(y)) / stripPitch, 0, 15);
    if (!applyGroupColor(m_doc, m_colorTarget, index))
        return; // the swatch already shows this colour
    m_rowSwatches[m_colorTarget]->setFillColor(tms::toQColor(m_palette[index]));
    onRefreshClicked();
}

void TileEditorWindow::writePrototypeTables()
{
    // Success shows in the status bar; every failure is told, and the image is then as it was.
    tellWritten(writePrototype(m_prototypePath, m_doc), m_prototypePath);
}

} // namespace tile
