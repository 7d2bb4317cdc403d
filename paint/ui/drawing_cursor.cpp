#include "drawing_cursor.h"

#include <QPainter>
#include <QPixmap>

namespace paint {

QCursor drawingCursor()
{
    QPixmap pixmap(17, 17);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // A white cross under a black one, so it shows on dark and light pictures alike.
    for (const auto& [colour, offset] : {std::pair{QColor(Qt::white), 1}, std::pair{QColor(Qt::black), 0}}) {
        painter.setPen(colour);
        painter.drawLine(8 + offset, 0, 8 + offset, 5);
        painter.drawLine(8 + offset, 11, 8 + offset, 16);
        painter.drawLine(0, 8 + offset, 5, 8 + offset);
        painter.drawLine(11, 8 + offset, 16, 8 + offset);
    }
    painter.end();
    return QCursor(pixmap, 8, 8);
}

} // namespace paint
