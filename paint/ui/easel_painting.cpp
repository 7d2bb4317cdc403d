// Mouse work on the picture: painting pixels, choosing brush colours, and the block
// tool (select, Get, drag, Put).
#include "easel_window.h"

#include "drawing_cursor.h"
#include "painting_rule.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "view_position.h"

#include <QCheckBox>
#include <QFrame>

#include <algorithm>
#include <cstdlib>

namespace paint {

namespace {

constexpr int leftButton = 1;
constexpr int rightButton = 2;

} // namespace

void EaselWindow::onScreenPressed(int button, int, int x, int y)
{
    // The timer's tick keeps the click that closed a menu or dialog from painting.
    if (!tick || (button != leftButton && button != rightButton))
        return;
    const ViewArea view = currentView();
    const PicturePosition at = positionAt(view, x, y);
    if (selecting) {
        selectAt(button, at.column, at.y());
        return;
    }
    const int index = at.index();
    const int brush = brushColors[button == leftButton ? 1 : 0];
    Picture& picture = m_doc.picture;
    const PaintedRow row =
        paintRowPixel(picture.bitmapPatterns[index], picture.bitmapColors[index], at.pixel, brush, palette);
    picture.bitmapPatterns[index] = row.pattern;
    picture.bitmapColors[index] = row.color;
    showPaintedRow(at);
    m_doc.modified = true;
}

void EaselWindow::onScreenDragged(int button, int shift, int x, int y)
{
    // After a Put, the button that put the block is still down: it never paints.
    if (m_waitingForRelease) {
        m_waitingForRelease = button != 0;
        return;
    }
    if (button != 0 && x >= 0 && x < viewBuffer().width() && y >= 0 && y < viewBuffer().height())
        onScreenPressed(button, shift, x, y);
}

void EaselWindow::onSwatchesPressed(int button, int, int, int y)
{
    if (button != leftButton && button != rightButton)
        return;
    const int swatch = std::clamp(y / (m_swatches->buffer().height() / 16), 0, 15);
    brushColors[2 - button] = swatch;
    drawBrushColor(2 - button);
}

Block EaselWindow::selectedBlock() const
{
    return Block{selLeft, selRight, selTop, selBottom};
}

void EaselWindow::selectAt(int button, int column, int y)
{
    if (button == leftButton) {
        if (selRight == -1) { // the first click selects one cell row
            selLeft = selRight = column;
            selTop = selBottom = y;
        } else { // later clicks move the nearer edges
            (std::abs(column - selLeft) < std::abs(column - selRight) ? selLeft : selRight) = column;
            (std::abs(y - selTop) < std::abs(y - selBottom) ? selTop : selBottom) = y;
        }
    }
    if (selBottom < selTop)
        std::swap(selTop, selBottom);
    if (selRight < selLeft)
        std::swap(selLeft, selRight);
    restoreBuffer();
    drawSelectionRectangle();
    showBuffer();
}

void EaselWindow::drawSelectionRectangle()
{
    if (selRight < 0)
        return;
    m_bufferGrid.reset();
    QImage& buffer = viewBuffer();
    constexpr tms::ColorValue grey = tms::rgbValue(128, 128, 128);
    const int left = selLeft * normalCellSize, right = (selRight + 1) * normalCellSize - 1;
    const int top = selTop * normalViewScale, bottom = (selBottom + 1) * normalViewScale - 1;
    tms::fillBlock(buffer, left, top, right - left + 1, 1, grey);
    tms::fillBlock(buffer, left, bottom, right - left + 1, 1, grey);
    tms::fillBlock(buffer, left, top, 1, bottom - top + 1, grey);
    tms::fillBlock(buffer, right, top, 1, bottom - top + 1, grey);
}

void EaselWindow::leaveBlockTool()
{
    selecting = false;
    m_blockTool->setChecked(false);
    m_blockTool->setText(QStringLiteral("Get"));
    m_screen->setCursor(drawingCursor());
}

void EaselWindow::onBlockToolClicked()
{
    if (m_zoomBox->isChecked()) {
        m_blockTool->setChecked(false);
        return;
    }
    if (m_blockTool->isChecked()) { // select mode
        selecting = true;
        m_floatingBlock->hide();
        // The clean copy already holds the picture; refreshing it from the buffer
        // here would bake the grid into it and leave the grid on screen for good.
        selLeft = selRight = -1;
        m_blockTool->setText(QStringLiteral("Select"));
        m_screen->setCursor(Qt::CrossCursor);
        return;
    }
    // Get
    selecting = false;
    restoreBuffer();
    showBuffer();
    if (selRight < 0) { // nothing selected: just leave select mode
        leaveBlockTool();
        return;
    }
    clip = m_doc.picture;
    m_floatingPicture->present(viewBuffer());
    m_floatingPicture->move(-selLeft * normalCellSize, -selTop * normalViewScale);
    m_floatingBlock->resize((selRight - selLeft + 1) * normalCellSize, (selBottom - selTop + 1) * normalViewScale);
    m_floatingBlock->move(0, 0);
    m_floatingBlock->show();
    m_blockTool->setText(QStringLiteral("Put"));
    m_screen->setCursor(drawingCursor());
}

void EaselWindow::onFloatingBlockPressed(int button, int shift, int x, int y)
{
    if (button == leftButton) {
        onFloatingBlockDragged(button, shift, x, y);
        return;
    }
    if (button != rightButton || m_floatingBlock->isHidden())
        return;
    // Put: copy from the snapshot, so an overlapping destination gets the old contents.
    recordStep(QStringLiteral("Put"), [this] {
        putBlock(m_doc.picture, clip, selectedBlock(), m_floatingBlock->x() / normalCellSize,
                 m_floatingBlock->y() / normalViewScale);
        m_doc.modified = true;
    });
    m_floatingBlock->hide();
    m_blockTool->setText(QStringLiteral("Get"));
    showPicture();
    m_waitingForRelease = true;
}

void EaselWindow::dropFloatingBlock()
{
    m_floatingBlock->hide();
    if (selecting || m_blockTool->text() != QStringLiteral("Get"))
        leaveBlockTool();
    selLeft = selRight = -1;
}

void EaselWindow::onFloatingBlockDragged(int button, int, int x, int y)
{
    if (button != leftButton || m_floatingBlock->isHidden())
        return;
    // The pointer on the picture (x and y are on the moving block), then the corner the
    // block would have if it were centred on it.
    const QPoint pointer = m_floatingPicture->mapTo(m_screen, QPoint(x, y));
    const QPoint corner = pointer - QPoint(m_floatingBlock->width() / 2, m_floatingBlock->height() / 2);
    const Block block = selectedBlock();
    m_floatingBlock->move(blockColumnAt(block, corner.x()) * normalCellSize,
                          blockLineAt(block, corner.y()) * normalViewScale);
}

} // namespace paint
