// The window of the screen mode 1 edition: the two colour swatches COL(0) and COL(1)
// of the current character's group, the vertical COLOR strip, the whole-set pattern
// commands and the Prototype button that writes the tables into the cartridge image.
#include "kardo_window.h"

#include "color_swatch.h"
#include "pixel_view.h"
#include "prototype_writer.h"
#include "pixel_rows.h"
#include "user_dialogs.h"

#include <QPushButton>
#include <algorithm>
#include <cmath>

namespace tile {

namespace {
constexpr int stripWidth = 11, stripPitch = 10, stripBoxHeight = 9;
const QColor stripGap(192, 192, 192); // the window's background between the boxes
} // namespace

bool KardoWindow::isModeOne() const
{
    return m_doc.edition == Edition::ScreenMode1;
}

void KardoWindow::buildModeOneColors(QWidget* area)
{
    COL[ForegroundTarget] = new ColorSwatch(QStringLiteral("COL"), ForegroundTarget, area);
    COL[ForegroundTarget]->setGeometry(44, 12, 38, 14);
    COL[ForegroundTarget]->setToolTip(QStringLiteral("Foreground of the group of eight characters"));
    COL[BackgroundTarget] = new ColorSwatch(QStringLiteral("COL"), BackgroundTarget, area);
    COL[BackgroundTarget]->setGeometry(86, 12, 38, 14);
    COL[BackgroundTarget]->setToolTip(QStringLiteral("Background of the group of eight characters"));
    for (int i : {BackgroundTarget, ForegroundTarget})
        connect(COL[i], &ColorSwatch::clicked, this, &KardoWindow::COL_Click);

    colorStrip = new tms::PixelView(QStringLiteral("COLOR"), {stripWidth, 16 * stripPitch}, area);
    colorStrip->move(240, 8);
    trackStroke(colorStrip, QStringLiteral("Colour"), 0);
    connect(colorStrip, &tms::PixelView::mouseDown, this, &KardoWindow::COLOR_MouseDown);
}

void KardoWindow::paintColorStrip()
{
    QImage& strip = colorStrip->buffer();
    strip.fill(stripGap);
    for (int i = 0; i < 16; ++i)
        tms::fillBlock(strip, 0, stripPitch * i, stripWidth, stripBoxHeight, m_palette[i]);
    colorStrip->present();
}

void KardoWindow::showGroupColors()
{
    const Byte color = Byte(m_doc.lecolor(m_doc.currentChar, 0));
    COL[BackgroundTarget]->setFillColor(tms::toQColor(m_palette[tms::backgroundOf(color)]));
    COL[ForegroundTarget]->setFillColor(tms::toQColor(m_palette[tms::foregroundOf(color)]));
    markColorTarget();
}

void KardoWindow::markColorTarget()
{
    // A steady outline in the complementary colour marks the swatch that takes the
    // next colour; this edition has no blinking.
    for (int i : {BackgroundTarget, ForegroundTarget}) {
        const QColor fill = COL[i]->fillColor();
        COL[i]->drawOutline(i == m_colorTarget ? QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()) : fill);
    }
}

void KardoWindow::COLOR_MouseDown(int, int, double, double Y)
{
    const int index = std::clamp(int(std::lround(Y)) / stripPitch, 0, 15);
    if (!applyGroupColor(m_doc, m_colorTarget, index))
        return; // the swatch already shows this colour
    COL[m_colorTarget]->setFillColor(tms::toQColor(m_palette[index]));
    cmd_Refresh_Click();
}

void KardoWindow::writePrototypeTables()
{
    // Success shows in the status bar; every failure is told, and the image is then as it was.
    tellWritten(WritePrototype(m_prototypePath, m_doc), m_prototypePath);
}

} // namespace tile
