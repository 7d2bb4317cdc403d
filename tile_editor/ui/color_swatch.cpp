#include "color_swatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace tile {

ColorSwatch::ColorSwatch(const QString& name, int index, QWidget* parent) : QWidget(parent), m_index(index)
{
    setObjectName(QStringLiteral("%1_%2").arg(name).arg(index));
    setCursor(Qt::PointingHandCursor);
}

void ColorSwatch::setFillColor(QColor color)
{
    m_fill = color;
    m_draw = color;
    update();
}

void ColorSwatch::drawOutline(QColor color)
{
    m_draw = color;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_fill);
    painter.setPen(m_draw);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

void ColorSwatch::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit clicked(m_index);
}

} // namespace tile
