#pragma once
// A push button whose caption wraps onto several lines, as the small square buttons
// under the picture need ("Paste Image from clipboard" in 81 pixels). text() keeps
// the caption exactly as given.

#include <QPushButton>

namespace dither {

class WrappingButton : public QPushButton {
    Q_OBJECT
public:
    WrappingButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace dither
