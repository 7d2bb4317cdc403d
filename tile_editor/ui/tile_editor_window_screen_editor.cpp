// The screen editor: stamping characters into the name table, the position labels,
// the wrapping scrolls and the block markers.
#include "tile_editor_window.h"

#include "hex.h"
#include "pixel_view.h"
#include "screen_editing.h"
#include "table_rendering.h"
#include "view_geometry.h"

#include <QLabel>
#include <QPushButton>

namespace tile {

void TileEditorWindow::buildScreenEditor(QWidget* area)
{
    m_screenView = new tms::PixelView(QStringLiteral("ECRAN"), {screenViewWidth, screenViewHeight}, area);
    m_screenView->move(268, 18);
    m_screenView->setMouseTracking(true); // the labels follow the mouse without a button
    trackStroke(m_screenView, QStringLiteral("Screen Painting"), 8 * screenViewScale);
    connect(m_screenView, &tms::PixelView::mouseDown, this, &TileEditorWindow::onScreenMousePressed);
    connect(m_screenView, &tms::PixelView::mouseMove, this, &TileEditorWindow::onScreenMouseMoved);
    addButton(area, QStringLiteral("cmd_scroll_up"), QString(), {268, 8, 256, 8},
              &TileEditorWindow::onScreenScrollUpClicked);
    addButton(area, QStringLiteral("cmd_scroll_down"), QString(), {268, 212, 256, 8},
              &TileEditorWindow::onScreenScrollDownClicked);
    addButton(area, QStringLiteral("cmd_scroll_left"), QString(), {258, 18, 8, 192},
              &TileEditorWindow::onScreenScrollLeftClicked);
    addButton(area, QStringLiteral("cmd_scroll_right"), QString(), {526, 18, 8, 192},
              &TileEditorWindow::onScreenScrollRightClicked);

    auto label = [&](const QString& name, int x, int width) {
        auto* l = new QLabel(area);
        l->setObjectName(name);
        l->setGeometry(x, 222, width, 18);
        return l;
    };
    m_cursorColumnLabel = label(QStringLiteral("LACOORX"), 268, 50);
    m_cursorRowLabel = label(QStringLiteral("LACOORY"), 320, 50);
    m_cursorCharLabel = label(QStringLiteral("LACARAC"), 372, 120);
}

void TileEditorWindow::onScreenMouseMoved(int button, int modifiers, double x, double y)
{
    if (!insideScreen(x, y))
        return;
    const CellPos cell = screenCellAt(x, y);
    m_cursorColumnLabel->setText(QStringLiteral("X=%1").arg(cell.column));
    m_cursorRowLabel->setText(QStringLiteral("Y=%1").arg(cell.row));
    m_cursorCharLabel->setText(QStringLiteral("C=") + tms::decimalHexLabel(m_doc.nameTable[cell.column][cell.row]));
    onScreenMousePressed(button, modifiers, x, y);
}

void TileEditorWindow::onScreenMousePressed(int button, int, double x, double y)
{
    paintScreenCell(button, x, y);
}

void TileEditorWindow::paintScreenCell(int button, double x, double y)
{
    if (!m_editing.tick || button == NoButton)
        return;
    const CellPos cell = screenCellAt(x, y);
    if (!placeChar(m_doc, cell.column, cell.row))
        return;
    drawScreenCell(m_screenView->buffer(), m_doc, m_palette, cell.column, cell.row);
    m_screenView->present();
}

void TileEditorWindow::scrollScreenAndRedraw(Direction direction)
{
    scrollScreen(m_doc, direction);
    drawScreen(m_screenView->buffer(), m_doc, m_palette);
    m_screenView->present();
}

void TileEditorWindow::onScreenScrollUpClicked()
{
    scrollScreenAndRedraw(Direction::Up);
}
void TileEditorWindow::onScreenScrollDownClicked()
{
    scrollScreenAndRedraw(Direction::Down);
}
void TileEditorWindow::onScreenScrollLeftClicked()
{
    scrollScreenAndRedraw(Direction::Left);
}
void TileEditorWindow::onScreenScrollRightClicked()
{
    scrollScreenAndRedraw(Direction::Right);
}

void TileEditorWindow::showBlockMarkers()
{
    if (!traits().blockMarkers)
        return;
    const QColor color = m_doc.blockIsValid() ? QColor(255, 255, 0) : QColor(255, 128, 0);
    for (int i = 0; i < 2; ++i) {
        QPalette colors = m_blockMarkerLabels[i]->palette();
        colors.setColor(QPalette::WindowText, color);
        colors.setColor(QPalette::Window, QColor(64, 64, 64)); // dark, so that yellow and orange read well
        m_blockMarkerLabels[i]->setPalette(colors);
        m_blockMarkerLabels[i]->setText(tms::decimalHexLabel(m_doc.markedBlock[i]));
    }
}

} // namespace tile
