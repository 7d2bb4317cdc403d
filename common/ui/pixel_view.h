#pragma once
// A fixed-size drawing surface of a window (ECRAN, CARACTERE, PATTERN, COLOR...): an
// off-screen image is drawn into, then presented in one drawImage, optionally enlarged
// by a whole display scale (nearest neighbour, so pixels stay crisp). Mouse presses,
// moves and releases are reported as (Button, Shift, X, Y) with X and Y in image pixels,
// fractional and possibly outside the image while a drag leaves the view; handlers that
// want whole cells floor or round them as their own rule says.

#include <QImage>
#include <QWidget>
#include <optional>
#include <vector>

class QPainter;

namespace tms {

// Button value of held mouse buttons: 1 left, 2 right, 4 middle, summed when several
// are held (3 = left and right).
int buttonValue(Qt::MouseButtons buttons);
// Shift value: 1 Shift, 2 Ctrl, 4 Alt, summed.
int shiftValue(Qt::KeyboardModifiers modifiers);

// The cells of a straight line from one cell to another, both ends included, each next
// to the one before (Bresenham's line).
std::vector<QPoint> cellLine(QPoint from, QPoint to);

class PixelView : public QWidget {
    Q_OBJECT
public:
    // A view named name (its objectName, the control name) showing an image of
    // imageSize pixels, each drawn as scale x scale screen pixels.
    PixelView(const QString& name, QSize imageSize, QWidget* parent, int scale = 1);

    // The off-screen image (the control's "...BUFFER"): draw into it, then present().
    QImage& buffer() { return m_buffer; }
    const QImage& buffer() const { return m_buffer; }
    // Shows the buffer and drops the frame mark.
    void present();
    // Shows image (of the view's image size) instead; the buffer is left alone.
    void present(const QImage& image);
    // Shows the buffer itself rather than a shared copy of it, so that drawing into it
    // next does not copy the whole image, and repaints only changed (in image pixels).
    // For views redrawn cell by cell while the mouse moves; drops the frame mark.
    void presentInPlace(const QRect& changed);

    // A mark drawn over the presented image (in image pixels); it vanishes at the next
    // present().
    void setFrame(const QRect& rect, QColor color);
    std::optional<QRect> frame() const { return m_frame; }

    // What the view shows, in image pixels: the presented image with the mark.
    QImage shownImage() const;

    int scale() const { return m_scale; }
    void setScale(int scale);

    // Continuous strokes: with a cell size (in image pixels) set, a drag that jumps over
    // cells reports a move at the centre of each cell in between, on a straight line,
    // before the move itself. 0 (the default) reports the moves as they come.
    void setStrokeCellSize(int imagePixels) { m_strokeCell = imagePixels; }

signals:
    // Button: the buttons held (after the press for mouseDown).
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    // Button: the button released.
    void mouseUp(int button, int shift, double x, double y);
    // After the mouseUp of the last button held: a stroke made with two buttons ends here.
    void strokeEnded();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintFrame(QPainter& painter) const;
    const QImage& presented() const;
    QPointF imagePosition(const QMouseEvent* event) const;

    QImage m_buffer;
    QImage m_presented;
    bool m_showsBufferInPlace = false; // m_presented is unused, the buffer is shown
    std::optional<QRect> m_frame;
    QColor m_frameColor;
    int m_scale = 1;
    int m_strokeCell = 0;
    std::optional<QPointF> m_lastDrag; // where the drag was last reported
};

} // namespace tms
