// What ECRAN shows: rendering into the buffer, the clean copy, the grid, the zoom
// view, the scrolls, and the colour swatches.
#include "mosaic_easel_main.h"

#include "drawing_surface.h"
#include "scrolling.h"

#include <QCheckBox>
#include <QFrame>

#include <algorithm>

namespace paint {

namespace {

const QRgb gridGrey = qRgb(128, 128, 128);

void fillRect(QImage& image, int left, int top, int width, int height, QRgb colour)
{
    const QRect area = QRect(left, top, width, height).intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(line + area.left(), line + area.right() + 1, colour);
    }
}

} // namespace

ViewArea Mosaic_Easel_Main::currentView() const
{
    return zoomed ? zoomView(zoomColumn, zoomRow) : normalView();
}

void Mosaic_Easel_Main::showBuffer()
{
    ECRAN->present(ECRANBUFFER);
}

void Mosaic_Easel_Main::refreshCleanCopy()
{
    ECRAN_BACKUP = ECRANBUFFER;
}

void Mosaic_Easel_Main::restoreBuffer()
{
    ECRANBUFFER = ECRAN_BACKUP;
}

void Mosaic_Easel_Main::RenderPicture()
{
    renderPicture(ECRANBUFFER, picture, palette, currentView());
    refreshCleanCopy();
    if (gridShown)
        DrawGrid();
    else
        ECRAN->present(ECRAN_BACKUP);
}

void Mosaic_Easel_Main::ShowPicture()
{
    RenderPicture();
    showBuffer();
}

void Mosaic_Easel_Main::DrawGrid()
{
    const int width = ECRANBUFFER.width(), height = ECRANBUFFER.height();
    if (zoomed) { // lines on every character boundary
        for (int x = 0; x < width; x += 32)
            fillRect(ECRANBUFFER, x, 0, 1, height, gridGrey);
        for (int y = 0; y < height; y += 32)
            fillRect(ECRANBUFFER, 0, y, width, 1, gridGrey);
    } else { // a dot at the top-left pixel of every cell
        for (int y = 0; y < height; y += 16)
            for (int x = 0; x < width; x += 16)
                ECRANBUFFER.setPixel(x, y, gridGrey);
    }
    showBuffer();
}

void Mosaic_Easel_Main::cmd_grid_Click()
{
    gridShown = !gridShown;
    if (gridShown) {
        DrawGrid();
    } else {
        restoreBuffer();
        showBuffer();
    }
}

void Mosaic_Easel_Main::chk_zoom2x_Click()
{
    selection->hide();
    // The block tool works in the normal view only; a hidden block cannot be put.
    leaveBlockTool();
    zoomed = chk_zoom2x->isChecked();
    ShowPicture();
}

void Mosaic_Easel_Main::afterScroll(bool pictureChanged)
{
    if (pictureChanged)
        modified = true;
    RenderPicture();
    showBuffer();
}

void Mosaic_Easel_Main::cmd_scroll_up_Click()
{
    if (zoomed)
        return;
    scrollUpOneLine(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_down_Click()
{
    if (zoomed)
        return;
    scrollDownOneLine(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_up_8_Click()
{
    if (zoomed) {
        zoomRow = std::max(zoomRow - 1, 0);
        afterScroll(false);
        return;
    }
    scrollUpOneRow(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_down_8_Click()
{
    if (zoomed) {
        zoomRow = std::min(zoomRow + 1, 12);
        afterScroll(false);
        return;
    }
    scrollDownOneRow(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_left_Click()
{
    if (zoomed) {
        zoomColumn = std::max(zoomColumn - 1, 0);
        afterScroll(false);
        return;
    }
    scrollLeftOneColumn(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_right_Click()
{
    if (zoomed) {
        zoomColumn = std::min(zoomColumn + 1, 16);
        afterScroll(false);
        return;
    }
    scrollRightOneColumn(picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::COLOR_Paint()
{
    QImage swatches(16, 192, QImage::Format_RGB32);
    for (int i = 0; i < 16; ++i)
        fillRect(swatches, 0, 12 * i, 16, 12, tms::toQRgb(palette[i]));
    COLOR->present(swatches);
}

void Mosaic_Easel_Main::Couleur_Paint(int index)
{
    if (index < 0 || index > 1)
        return;
    QImage box(Couleur[index]->size(), QImage::Format_RGB32);
    box.fill(tms::toQRgb(palette[brushColors[index] & 15]));
    Couleur[index]->present(box);
}

} // namespace paint
