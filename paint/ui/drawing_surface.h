#pragma once
// A drawing surface of the window (ECRAN, COLOR, the_picture): it shows one image in
// one drawImage and hands mouse presses and moves to the window's handlers as
// (Button, Shift, X, Y), Button 1 for left, 2 for right, 3 for both.

#include <QImage>
#include <QWidget>

#include <functional>

namespace paint {

class DrawingSurface : public QWidget {
    Q_OBJECT
public:
    using MouseHandler = std::function<void(int Button, int Shift, int X, int Y)>;

    DrawingSurface(const QString& name, QSize size, QWidget* parent);

    // Shows image from now on (a copy is cheap: QImage shares its data).
    void present(const QImage& image);
    const QImage& image() const { return m_image; }

    MouseHandler onMouseDown;
    MouseHandler onMouseMove;

    static int buttonValue(Qt::MouseButtons buttons);
    static int shiftValue(Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QImage m_image;
};

} // namespace paint
