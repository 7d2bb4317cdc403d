// What ECRAN shows: rendering into the buffer, the clean copy, the grid, the zoom
// view, the scrolls, and the colour swatches.
#include "mosaic_easel_main.h"

#include "pixel_rows.h"
#include "pixel_view.h"
#include "scrolling.h"
#include "window_aids.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

#include <algorithm>

namespace paint {

namespace {

constexpr tms::ColorValue gridGrey = tms::rgbValue(128, 128, 128);
constexpr int swatchHeight = 12;

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
    renderPicture(ECRANBUFFER, m_doc.picture, palette, currentView());
    refreshCleanCopy();
    cmd_grid->setChecked(gridShown); // New turns the grid off
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
        const int cell = 8 * zoomViewScale;
        for (int x = 0; x < width; x += cell)
            tms::fillBlock(ECRANBUFFER, x, 0, 1, height, gridGrey);
        for (int y = 0; y < height; y += cell)
            tms::fillBlock(ECRANBUFFER, 0, y, width, 1, gridGrey);
    } else { // a dot at the top-left pixel of every cell
        for (int y = 0; y < height; y += normalCellSize)
            for (int x = 0; x < width; x += normalCellSize)
                tms::fillBlock(ECRANBUFFER, x, y, 1, 1, gridGrey);
    }
    showBuffer();
}

void Mosaic_Easel_Main::cmd_grid_Click()
{
    gridShown = !gridShown;
    cmd_grid->setChecked(gridShown);
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
    if (pictureChanged) {
        m_doc.modified = true;
        dropFloatingBlock(); // it was lifted from the picture as it stood
    }
    RenderPicture();
    showBuffer();
}

void Mosaic_Easel_Main::cmd_scroll_up_Click()
{
    if (zoomed)
        return;
    scrollUpOneLine(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_down_Click()
{
    if (zoomed)
        return;
    scrollDownOneLine(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_up_8_Click()
{
    if (zoomed) {
        zoomRow = std::max(zoomRow - 1, 0);
        afterScroll(false);
        return;
    }
    scrollUpOneRow(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_down_8_Click()
{
    if (zoomed) {
        zoomRow = std::min(zoomRow + 1, lastZoomRow);
        afterScroll(false);
        return;
    }
    scrollDownOneRow(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_left_Click()
{
    if (zoomed) {
        zoomColumn = std::max(zoomColumn - 1, 0);
        afterScroll(false);
        return;
    }
    scrollLeftOneColumn(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::cmd_scroll_right_Click()
{
    if (zoomed) {
        zoomColumn = std::min(zoomColumn + 1, lastZoomColumn);
        afterScroll(false);
        return;
    }
    scrollRightOneColumn(m_doc.picture);
    afterScroll(true);
}

void Mosaic_Easel_Main::COLOR_Paint()
{
    QImage& swatches = COLOR->buffer();
    for (int i = 0; i < 16; ++i)
        tms::fillBlock(swatches, 0, swatchHeight * i, swatches.width(), swatchHeight, palette[i]);
    COLOR->present();
    // A mark over the swatch as grey as the window, so that it stands out.
    COLOR->setFrame(QRect(0, swatchHeight * tms::lightSwatchIndex, swatches.width(), swatchHeight),
                    tms::swatchOutlineColor());
}

void Mosaic_Easel_Main::Couleur_Paint(int index)
{
    if (index < 0 || index > 1)
        return;
    Couleur[index]->buffer().fill(tms::toQColor(palette[brushColors[index] & 15]));
    Couleur[index]->present();
}

} // namespace paint
