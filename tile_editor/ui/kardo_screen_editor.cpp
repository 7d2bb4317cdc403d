// The screen editor: stamping characters into the name table, the position labels,
// the wrapping scrolls and the block markers.
#include "kardo_window.h"

#include "hex.h"
#include "pixel_view.h"
#include "screen_editing.h"
#include "table_rendering.h"
#include "view_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace tile {

void KardoWindow::buildScreenEditor(QWidget* area)
{
    ECRAN = new tms::PixelView(QStringLiteral("ECRAN"), {screenViewWidth, screenViewHeight}, area);
    ECRAN->move(268, 18);
    ECRAN->setMouseTracking(true); // the labels follow the mouse without a button
    connect(ECRAN, &tms::PixelView::mouseDown, this, &KardoWindow::ECRAN_MouseDown);
    connect(ECRAN, &tms::PixelView::mouseMove, this, &KardoWindow::ECRAN_MouseMove);
    addButton(area, QStringLiteral("cmd_scroll_up"), QString(), {268, 8, 256, 8}, &KardoWindow::cmd_scroll_up_Click);
    addButton(area, QStringLiteral("cmd_scroll_down"), QString(), {268, 212, 256, 8},
              &KardoWindow::cmd_scroll_down_Click);
    addButton(area, QStringLiteral("cmd_scroll_left"), QString(), {258, 18, 8, 192},
              &KardoWindow::cmd_scroll_left_Click);
    addButton(area, QStringLiteral("cmd_scroll_right"), QString(), {526, 18, 8, 192},
              &KardoWindow::cmd_scroll_right_Click);

    auto label = [&](const QString& name, int x, int width) {
        auto* l = new QLabel(area);
        l->setObjectName(name);
        l->setGeometry(x, 222, width, 18);
        return l;
    };
    LACOORX = label(QStringLiteral("LACOORX"), 268, 50);
    LACOORY = label(QStringLiteral("LACOORY"), 320, 50);
    LACARAC = label(QStringLiteral("LACARAC"), 372, 120);
}

void KardoWindow::ECRAN_MouseMove(int Button, int Shift, double X, double Y)
{
    if (!insideScreen(X, Y))
        return;
    const CellPos cell = screenCellAt(X, Y);
    LACOORX->setText(QStringLiteral("X=%1").arg(cell.column));
    LACOORY->setText(QStringLiteral("Y=%1").arg(cell.row));
    LACARAC->setText(QStringLiteral("C=") + tms::decimalHexLabel(m_doc.nameTable[cell.column][cell.row]));
    ECRAN_MouseDown(Button, Shift, X, Y);
}

void KardoWindow::ECRAN_MouseDown(int Button, int, double X, double Y)
{
    paintScreenCell(Button, X, Y);
}

void KardoWindow::paintScreenCell(int button, double x, double y)
{
    if (!m_editing.tick || button == NoButton)
        return;
    const CellPos cell = screenCellAt(x, y);
    if (!PlaceChar(m_doc, cell.column, cell.row))
        return;
    DrawScreenCell(ECRAN->buffer(), m_doc, m_palette, cell.column, cell.row);
    ECRAN->present();
}

void KardoWindow::scrollScreenAndRedraw(Direction direction)
{
    scrollScreen(m_doc, direction);
    DrawScreen(ECRAN->buffer(), m_doc, m_palette);
    ECRAN->present();
}

void KardoWindow::cmd_scroll_up_Click() { scrollScreenAndRedraw(Direction::Up); }
void KardoWindow::cmd_scroll_down_Click() { scrollScreenAndRedraw(Direction::Down); }
void KardoWindow::cmd_scroll_left_Click() { scrollScreenAndRedraw(Direction::Left); }
void KardoWindow::cmd_scroll_right_Click() { scrollScreenAndRedraw(Direction::Right); }

void KardoWindow::showBlockMarkers()
{
    if (isModeOne())
        return; // no block markers in kardo2
    const QColor color = m_doc.BlockIsValid() ? QColor(255, 255, 0) : QColor(255, 128, 0);
    for (int i = 0; i < 2; ++i) {
        QPalette colors = BLOCKMARKER[i]->palette();
        colors.setColor(QPalette::WindowText, color);
        colors.setColor(QPalette::Window, QColor(64, 64, 64)); // dark, so that yellow and orange read well
        BLOCKMARKER[i]->setPalette(colors);
        BLOCKMARKER[i]->setText(tms::decimalHexLabel(m_doc.markedBlock[i]));
    }
}

} // namespace tile
