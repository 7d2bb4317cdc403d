#include "drawing_surface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

namespace paint {

DrawingSurface::DrawingSurface(const QString& name, QSize size, QWidget* parent) : QWidget(parent)
{
    setObjectName(name);
    setFixedSize(size);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DrawingSurface::present(const QImage& image)
{
    m_image = image;
    update();
}

int DrawingSurface::buttonValue(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0);
}

int DrawingSurface::shiftValue(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
         | (modifiers & Qt::AltModifier ? 4 : 0);
}

void DrawingSurface::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_image);
}

void DrawingSurface::mousePressEvent(QMouseEvent* event)
{
    // The held buttons, so that pressing the second button while the first is down
    // reads as both.
    if (onMouseDown)
        onMouseDown(buttonValue(event->buttons()), shiftValue(event->modifiers()),
                    qFloor(event->position().x()), qFloor(event->position().y()));
}

void DrawingSurface::mouseMoveEvent(QMouseEvent* event)
{
    if (onMouseMove)
        onMouseMove(buttonValue(event->buttons()), shiftValue(event->modifiers()),
                    qFloor(event->position().x()), qFloor(event->position().y()));
}

} // namespace paint
