// Mouse work on the picture: painting pixels, choosing brush colours, and the block
// tool (select, Get, drag, Put).
#include "mosaic_easel_main.h"

#include "drawing_cursor.h"
#include "pixel_view.h"
#include "painting_rule.h"
#include "pixel_rows.h"
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

void Mosaic_Easel_Main::ECRAN_MouseDown(int Button, int, int X, int Y)
{
    // The timer's tick keeps the click that closed a menu or dialog from painting.
    if (!tick || (Button != leftButton && Button != rightButton))
        return;
    restoreBuffer();
    const ViewArea view = currentView();
    const PicturePosition at = positionAt(view, X, Y);
    if (selecting) {
        selectAt(Button, at.column, at.y());
        return;
    }
    const int index = at.index();
    const int brush = brushColors[Button == leftButton ? 1 : 0];
    Picture& picture = m_doc.picture;
    const PaintedRow row = paintRowPixel(picture.bitmapPatterns[index], picture.bitmapColors[index], at.pixel,
                                         brush, palette);
    picture.bitmapPatterns[index] = row.pattern;
    picture.bitmapColors[index] = row.color;

    renderRow(ECRANBUFFER, picture, palette, view, at.column, at.row, at.line);
    refreshCleanCopy();
    if (gridShown)
        DrawGrid();
    else
        showBuffer();
    m_doc.modified = true;
}

void Mosaic_Easel_Main::ECRAN_MouseMove(int Button, int Shift, int X, int Y)
{
    // After a Put, the button that put the block is still down: it never paints.
    if (m_waitingForRelease) {
        m_waitingForRelease = Button != 0;
        return;
    }
    if (Button != 0 && X >= 0 && X < ECRANBUFFER.width() && Y >= 0 && Y < ECRANBUFFER.height())
        ECRAN_MouseDown(Button, Shift, X, Y);
}

void Mosaic_Easel_Main::COLOR_MouseDown(int Button, int, int, int Y)
{
    if (Button != leftButton && Button != rightButton)
        return;
    const int swatch = std::clamp(Y / (COLOR->buffer().height() / 16), 0, 15);
    brushColors[2 - Button] = swatch;
    Couleur_Paint(2 - Button);
}

Block Mosaic_Easel_Main::selectedBlock() const
{
    return Block{selLeft, selRight, selTop, selBottom};
}

void Mosaic_Easel_Main::selectAt(int Button, int column, int y)
{
    if (Button == leftButton) {
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

void Mosaic_Easel_Main::drawSelectionRectangle()
{
    if (selRight < 0)
        return;
    constexpr tms::ColorValue grey = tms::rgbValue(128, 128, 128);
    const int left = selLeft * normalCellSize, right = (selRight + 1) * normalCellSize - 1;
    const int top = selTop * normalViewScale, bottom = (selBottom + 1) * normalViewScale - 1;
    tms::fillBlock(ECRANBUFFER, left, top, right - left + 1, 1, grey);
    tms::fillBlock(ECRANBUFFER, left, bottom, right - left + 1, 1, grey);
    tms::fillBlock(ECRANBUFFER, left, top, 1, bottom - top + 1, grey);
    tms::fillBlock(ECRANBUFFER, right, top, 1, bottom - top + 1, grey);
}

void Mosaic_Easel_Main::leaveBlockTool()
{
    selecting = false;
    chk_get->setChecked(false);
    chk_get->setText(QStringLiteral("Get"));
    ECRAN->setCursor(drawingCursor());
}

void Mosaic_Easel_Main::chk_get_Click()
{
    if (chk_zoom2x->isChecked()) {
        chk_get->setChecked(false);
        return;
    }
    if (chk_get->isChecked()) { // select mode
        selecting = true;
        selection->hide();
        // The clean copy already holds the picture; refreshing it from the buffer
        // here would bake the grid into it and leave the grid on screen for good.
        selLeft = selRight = -1;
        chk_get->setText(QStringLiteral("Select"));
        ECRAN->setCursor(Qt::CrossCursor);
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
    the_picture->present(ECRANBUFFER);
    the_picture->move(-selLeft * normalCellSize, -selTop * normalViewScale);
    selection->resize((selRight - selLeft + 1) * normalCellSize, (selBottom - selTop + 1) * normalViewScale);
    selection->move(0, 0);
    selection->show();
    chk_get->setText(QStringLiteral("Put"));
    ECRAN->setCursor(drawingCursor());
}

void Mosaic_Easel_Main::the_picture_MouseDown(int Button, int Shift, int X, int Y)
{
    if (Button == leftButton) {
        the_picture_MouseMove(Button, Shift, X, Y);
        return;
    }
    if (Button != rightButton || selection->isHidden())
        return;
    // Put: copy from the snapshot, so an overlapping destination gets the old contents.
    recordStep(QStringLiteral("Put"), [this] {
        putBlock(m_doc.picture, clip, selectedBlock(), selection->x() / normalCellSize,
                 selection->y() / normalViewScale);
        m_doc.modified = true;
    });
    selection->hide();
    chk_get->setText(QStringLiteral("Get"));
    RenderPicture();
    m_waitingForRelease = true;
}

void Mosaic_Easel_Main::dropFloatingBlock()
{
    selection->hide();
    if (selecting || chk_get->text() != QStringLiteral("Get"))
        leaveBlockTool();
    selLeft = selRight = -1;
}

void Mosaic_Easel_Main::the_picture_MouseMove(int Button, int, int X, int Y)
{
    if (Button != leftButton || selection->isHidden())
        return;
    // The pointer on the picture (X and Y are on the moving block), then the corner the
    // block would have if it were centred on it.
    const QPoint pointer = the_picture->mapTo(ECRAN, QPoint(X, Y));
    const QPoint corner = pointer - QPoint(selection->width() / 2, selection->height() / 2);
    const Block block = selectedBlock();
    selection->move(blockColumnAt(block, corner.x()) * normalCellSize, blockLineAt(block, corner.y()) * normalViewScale);
}

} // namespace paint
