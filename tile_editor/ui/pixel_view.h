#pragma once
// A fixed-size view that presents an off-screen image and reports mouse presses and
// moves as (Button, Shift, X, Y): Button 1 left, 2 right, 3 both, 0 none.

#include <QImage>
#include <QWidget>
#include <optional>

class QPainter;

namespace tile {

class PixelView : public QWidget {
    Q_OBJECT
public:
    PixelView(const QString& name, int width, int height, QWidget* parent);

    // The off-screen image ("...BUFFER"); draw into it, then present().
    QImage& buffer() { return m_buffer; }
    const QImage& buffer() const { return m_buffer; }
    void present();

    // A mark painted over the presented image (the current character's frame); it
    // vanishes at the next present().
    void setFrame(const QRect& rect, QColor color);
    std::optional<QRect> frame() const { return m_frame; }

    // What the view shows: the presented image with the mark.
    QImage shownImage() const;

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The presented image with the mark over it.
    void paintShown(QPainter& painter) const;

    QImage m_buffer;
    QImage m_presented;
    std::optional<QRect> m_frame;
    QColor m_frameColor;
};

int buttonValue(Qt::MouseButtons buttons);
int shiftValue(Qt::KeyboardModifiers modifiers);

} // namespace tile
