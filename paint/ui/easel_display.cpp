// What the picture view shows: the clean view drawn from the picture, the buffer shown
// over it (grid, selection rectangle), the zoom view, the scrolls, and the colour swatches.
#include "easel_window.h"

#include "palette_colors.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "scrolling.h"
#include "window_aids.h"

#include <QCheckBox>
#include <QFrame>
#include <QPushButton>

#include <algorithm>
#include <cstring>

namespace paint {

namespace {

constexpr tms::ColorValue gridGrey = tms::rgbValue(128, 128, 128);
constexpr int swatchHeight = 12;

} // namespace

ViewArea EaselWindow::currentView() const
{
    return zoomed ? zoomView(zoomColumn, zoomRow) : normalView();
}

QImage& EaselWindow::viewBuffer()
{
    return m_screen->buffer();
}

void EaselWindow::showBuffer()
{
    m_screen->presentInPlace(viewBuffer().rect());
}

void EaselWindow::restoreBuffer()
{
    // A copy into the buffer's own memory: the two images never share their data.
    QImage& buffer = viewBuffer();
    std::memcpy(buffer.bits(), m_cleanView.constBits(), std::size_t(m_cleanView.sizeInBytes()));
    m_bufferGrid = false;
}

void EaselWindow::showPicture()
{
    renderPicture(m_cleanView, m_doc.picture, palette, currentView());
    m_gridButton->setChecked(gridShown); // New turns the grid off
    restoreBuffer();
    if (gridShown)
        drawGrid();
    else
        showBuffer();
}

void EaselWindow::drawGrid()
{
    drawGridIn(viewBuffer().rect());
    if (m_bufferGrid)
        m_bufferGrid = true;
    showBuffer();
}

void EaselWindow::drawGridIn(const QRect& area)
{
    QImage& buffer = viewBuffer();
    // The first multiple of step at or after from.
    const auto firstFrom = [](int from, int step) { return (from + step - 1) / step * step; };
    if (zoomed) { // lines on every character boundary
        const int cell = 8 * zoomViewScale;
        for (int x = firstFrom(area.left(), cell); x <= area.right(); x += cell)
            tms::fillBlock(buffer, x, area.top(), 1, area.height(), gridGrey);
        for (int y = firstFrom(area.top(), cell); y <= area.bottom(); y += cell)
            tms::fillBlock(buffer, area.left(), y, area.width(), 1, gridGrey);
    } else { // a dot at the top-left pixel of every cell
        for (int y = firstFrom(area.top(), normalCellSize); y <= area.bottom(); y += normalCellSize)
            for (int x = firstFrom(area.left(), normalCellSize); x <= area.right(); x += normalCellSize)
                tms::fillBlock(buffer, x, y, 1, 1, gridGrey);
    }
}

void EaselWindow::showPaintedRow(const PicturePosition& at)
{
    const ViewArea view = currentView();
    renderRow(m_cleanView, m_doc.picture, palette, view, at.column, at.row, at.line);
    if (m_bufferGrid != gridShown) { // a selection rectangle, or the grid to add or remove
        restoreBuffer();
        if (gridShown)
            drawGrid();
        else
            showBuffer();
        return;
    }
    const QRect area = rowArea(view, at.column, at.row, at.line);
    if (area.isEmpty())
        return;
    QImage& buffer = viewBuffer();
    const auto rowBytes = std::size_t(area.width()) * sizeof(QRgb);
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memcpy(reinterpret_cast<QRgb*>(buffer.scanLine(y)) + area.left(),
                    reinterpret_cast<const QRgb*>(m_cleanView.constScanLine(y)) + area.left(), rowBytes);
    if (gridShown)
        drawGridIn(area);
    m_screen->presentInPlace(area);
}

void EaselWindow::onGridClicked()
{
    gridShown = !gridShown;
    m_gridButton->setChecked(gridShown);
    if (gridShown) {
        drawGrid();
    } else {
        restoreBuffer();
        showBuffer();
    }
}

void EaselWindow::onZoomClicked()
{
    m_floatingBlock->hide();
    // The block tool works in the normal view only; a hidden block cannot be put.
    leaveBlockTool();
    zoomed = m_zoomBox->isChecked();
    showPicture();
}

void EaselWindow::afterScroll(bool pictureChanged)
{
    if (pictureChanged) {
        m_doc.modified = true;
        dropFloatingBlock(); // it was lifted from the picture as it stood
    }
    showPicture();
}

void EaselWindow::scrollPictureOrView(void (*scrollPicture)(Picture&), int columnStep, int rowStep)
{
    if (!zoomed) {
        scrollPicture(m_doc.picture);
        afterScroll(true);
    } else if (columnStep != 0 || rowStep != 0) { // zoomed, the "8" buttons move the view; "1" does nothing
        zoomColumn = std::clamp(zoomColumn + columnStep, 0, lastZoomColumn);
        zoomRow = std::clamp(zoomRow + rowStep, 0, lastZoomRow);
        afterScroll(false);
    }
}

void EaselWindow::onScrollUpLineClicked()
{
    scrollPictureOrView(scrollUpOneLine, 0, 0);
}
void EaselWindow::onScrollDownLineClicked()
{
    scrollPictureOrView(scrollDownOneLine, 0, 0);
}
void EaselWindow::onScrollUpRowClicked()
{
    scrollPictureOrView(scrollUpOneRow, 0, -1);
}
void EaselWindow::onScrollDownRowClicked()
{
    scrollPictureOrView(scrollDownOneRow, 0, 1);
}
void EaselWindow::onScrollLeftClicked()
{
    scrollPictureOrView(scrollLeftOneColumn, -1, 0);
}
void EaselWindow::onScrollRightClicked()
{
    scrollPictureOrView(scrollRightOneColumn, 1, 0);
}

void EaselWindow::drawSwatches()
{
    QImage& swatches = m_swatches->buffer();
    for (int i = 0; i < 16; ++i)
        tms::fillBlock(swatches, 0, swatchHeight * i, swatches.width(), swatchHeight, palette[i]);
    m_swatches->present();
    // A mark over the swatch as grey as the window, so that it stands out.
    m_swatches->setFrame(QRect(0, swatchHeight * tms::lightSwatchIndex, swatches.width(), swatchHeight),
                         tms::swatchOutlineColor());
}

void EaselWindow::drawBrushColor(int index)
{
    if (index < 0 || index > 1)
        return;
    m_brushBoxes[index]->buffer().fill(tms::toQColor(palette[brushColors[index] & 15]));
    m_brushBoxes[index]->present();
}

} // namespace paint
