#include "pixel_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace tile {

int buttonValue(Qt::MouseButtons buttons)
{
    int value = 0;
    if (buttons & Qt::LeftButton)
        value |= 1;
    if (buttons & Qt::RightButton)
        value |= 2;
    if (buttons & Qt::MiddleButton)
        value |= 4;
    return value;
}

int shiftValue(Qt::KeyboardModifiers modifiers)
{
    int value = 0;
    if (modifiers & Qt::ShiftModifier)
        value |= 1;
    if (modifiers & Qt::ControlModifier)
        value |= 2;
    if (modifiers & Qt::AltModifier)
        value |= 4;
    return value;
}

PixelView::PixelView(const QString& name, int width, int height, QWidget* parent)
    : QWidget(parent), m_buffer(width, height, QImage::Format_RGB32), m_presented(m_buffer)
{
    setObjectName(name);
    setFixedSize(width, height);
    m_buffer.fill(Qt::black);
    m_presented = m_buffer;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PixelView::present()
{
    m_presented = m_buffer;
    m_frame.reset();
    update();
}

void PixelView::setFrame(const QRect& rect, QColor color)
{
    m_frame = rect;
    m_frameColor = color;
    update();
}

void PixelView::paintShown(QPainter& painter) const
{
    painter.drawImage(0, 0, m_presented);
    if (m_frame) {
        painter.setPen(m_frameColor);
        painter.drawRect(m_frame->adjusted(0, 0, -1, -1));
    }
}

QImage PixelView::shownImage() const
{
    QImage shown(m_presented.size(), m_presented.format());
    QPainter painter(&shown);
    paintShown(painter);
    return shown;
}

void PixelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    paintShown(painter);
}

void PixelView::mousePressEvent(QMouseEvent* event)
{
    emit mouseDown(buttonValue(event->buttons()), shiftValue(event->modifiers()), event->position().x(),
                   event->position().y());
}

void PixelView::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMove(buttonValue(event->buttons()), shiftValue(event->modifiers()), event->position().x(),
                   event->position().y());
}

} // namespace tile
