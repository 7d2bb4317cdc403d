#pragma once
// PictureImportDialog: the choices of a picture import (method, resize mode, colours)
// with a live preview. The program that imports says what the preview shows (easel
// the converted bitmap, the tile editors the screen made of characters) through a
// previewer called on every change; the dialog only returns the choices, and the
// program converts the picture itself once the dialog has closed.
//
// objectNames: ImportPicture, methodBox, resizeBox, chk_colour_1..15, previewLabel,
// statusLabel.

#include "picture_to_screen.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace dither {

// What the preview shows for a choice: the picture (shown as it is, 512x384 at most)
// and a line of text under the choices. A preview that is not ok (fewer than two
// colours) keeps the last good picture and disables OK.
struct PicturePreview {
    bool ok = false;
    QImage image;
    QString status;
};

using Previewer = std::function<PicturePreview(const PictureImportSettings& settings)>;

class PictureImportDialog : public QDialog {
    Q_OBJECT
public:
    PictureImportDialog(const PictureImportSettings& initial, Previewer previewer, QWidget* owner = nullptr);

    PictureImportSettings settings() const;
    // The preview as last drawn.
    QImage previewImage() const { return m_preview; }

    // Previews the current choices.
    void updatePreview();

private:
    Previewer m_previewer;
    PictureImportSettings m_initial; // what the dialog has no control for
    QImage m_preview;
    QComboBox* methodBox = nullptr;
    QComboBox* resizeBox = nullptr;
    std::array<QCheckBox*, 15> colourBoxes{};
    QLabel* previewLabel = nullptr;
    QLabel* statusLabel = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

} // namespace dither
