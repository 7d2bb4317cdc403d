#pragma once
// A clickable colour swatch with a fill colour and an outline colour; the outline is
// what blinks on the selected row swatch.

#include <QColor>
#include <QWidget>

namespace tile {

class ColorSwatch : public QWidget {
    Q_OBJECT
public:
    ColorSwatch(const QString& name, int index, QWidget* parent);

    int index() const { return m_index; }
    QColor fillColor() const { return m_fill; }
    QColor drawColor() const { return m_draw; }
    void setFillColor(QColor color);
    // Sets the outline colour and draws the outline along the border.
    void drawOutline(QColor color);

signals:
    void clicked(int index);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;

private:
    int m_index;
    QColor m_fill = Qt::black;
    QColor m_draw = Qt::black;
};

} // namespace tile
