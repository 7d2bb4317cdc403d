#include "pixel_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tms {

int buttonValue(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
           | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftValue(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
           | (modifiers & Qt::AltModifier ? 4 : 0);
}

PixelView::PixelView(const QString& name, QSize imageSize, QWidget* parent, int scale)
    : QWidget(parent), m_buffer(imageSize, QImage::Format_RGB32)
{
    setObjectName(name);
    m_buffer.fill(Qt::black);
    m_presented = m_buffer;
    setAttribute(Qt::WA_OpaquePaintEvent);
    setScale(scale);
}

void PixelView::setScale(int scale)
{
    m_scale = std::max(scale, 1);
    setFixedSize(m_buffer.size() * m_scale);
    update();
}

void PixelView::present()
{
    present(m_buffer);
}

void PixelView::present(const QImage& image)
{
    m_presented = image; // shares the data until one side is written
    m_showsBufferInPlace = false;
    m_frame.reset();
    update();
}

void PixelView::presentInPlace(const QRect& changed)
{
    m_presented = QImage(); // let go of the buffer's data, so that it is not shared
    const bool hadFrame = m_frame.has_value();
    m_showsBufferInPlace = true;
    m_frame.reset();
    if (hadFrame)
        update();
    else
        update(QRect(changed.topLeft() * m_scale, changed.size() * m_scale));
}

const QImage& PixelView::presented() const
{
    return m_showsBufferInPlace ? m_buffer : m_presented;
}

void PixelView::setFrame(const QRect& rect, QColor color)
{
    m_frame = rect;
    m_frameColor = color;
    update();
}

void PixelView::paintFrame(QPainter& painter) const
{
    if (!m_frame)
        return;
    painter.setPen(m_frameColor);
    painter.drawRect(m_frame->adjusted(0, 0, -1, -1));
}

QImage PixelView::shownImage() const
{
    if (!m_frame)
        return presented();
    QImage shown = presented().copy();
    QPainter painter(&shown);
    paintFrame(painter);
    return shown;
}

void PixelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // A whole scale without smoothing: each image pixel becomes a crisp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.scale(m_scale, m_scale);
    painter.drawImage(0, 0, presented());
    paintFrame(painter);
}

QPointF PixelView::imagePosition(const QMouseEvent* event) const
{
    return event->position() / m_scale;
}

std::vector<QPoint> cellLine(QPoint from, QPoint to)
{
    std::vector<QPoint> cells;
    const int dx = std::abs(to.x() - from.x()), dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1, sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint at = from;
    for (;;) {
        cells.push_back(at);
        if (at == to)
            break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            at.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            at.ry() += sy;
        }
    }
    return cells;
}

void PixelView::mousePressEvent(QMouseEvent* event)
{
    // The held buttons, so that pressing the second button while the first is down
    // reads as both.
    const QPointF at = imagePosition(event);
    m_lastDrag = at;
    emit mouseDown(buttonValue(event->buttons()), shiftValue(event->modifiers()), at.x(), at.y());
}

void PixelView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = imagePosition(event);
    const int button = buttonValue(event->buttons()), shift = shiftValue(event->modifiers());
    if (m_strokeCell > 0 && button != 0 && m_lastDrag) {
        const auto cellOf = [this](QPointF p) {
            return QPoint(int(std::floor(p.x() / m_strokeCell)), int(std::floor(p.y() / m_strokeCell)));
        };
        const std::vector<QPoint> cells = cellLine(cellOf(*m_lastDrag), cellOf(at));
        // The ends are the last position and this one, both reported as they came.
        for (std::size_t i = 1; i + 1 < cells.size(); ++i)
            emit mouseMove(button, shift, (cells[i].x() + 0.5) * m_strokeCell, (cells[i].y() + 0.5) * m_strokeCell);
    }
    m_lastDrag = button != 0 ? std::optional<QPointF>(at) : std::nullopt;
    emit mouseMove(button, shift, at.x(), at.y());
}

void PixelView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = imagePosition(event);
    if (event->buttons() == Qt::NoButton)
        m_lastDrag.reset();
    emit mouseUp(buttonValue(event->button()), shiftValue(event->modifiers()), at.x(), at.y());
    if (event->buttons() == Qt::NoButton)
        emit strokeEnded();
}

} // namespace tms
