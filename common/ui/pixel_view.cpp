#include "pixel_view.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

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
    m_frame.reset();
    update();
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
        return m_presented;
    QImage shown = m_presented.copy();
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
    painter.drawImage(0, 0, m_presented);
    paintFrame(painter);
}

QPointF PixelView::imagePosition(const QMouseEvent* event) const
{
    return event->position() / m_scale;
}

void PixelView::mousePressEvent(QMouseEvent* event)
{
    // The held buttons, so that pressing the second button while the first is down
    // reads as both.
    const QPointF at = imagePosition(event);
    emit mouseDown(buttonValue(event->buttons()), shiftValue(event->modifiers()), at.x(), at.y());
}

void PixelView::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = imagePosition(event);
    emit mouseMove(buttonValue(event->buttons()), shiftValue(event->modifiers()), at.x(), at.y());
}

void PixelView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = imagePosition(event);
    emit mouseUp(buttonValue(event->button()), shiftValue(event->modifiers()), at.x(), at.y());
}

} // namespace tms
