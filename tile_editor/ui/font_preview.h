#pragma once
// The preview of the "Open FCV file" dialog: a single click on a font file shows its
// title and its first characters before the file is chosen.

#include <QWidget>

class QLabel;

namespace tms {
class FileChooser;
}

namespace tile {

class FontPreviewPane : public QWidget {
    Q_OBJECT
public:
    explicit FontPreviewPane(QWidget* parent = nullptr);

    QLabel* m_titleLabel = nullptr;     // "Preview: " and the title
    QLabel* m_previewPicture = nullptr; // 160 x 64: four bands of ten characters

    // A file was clicked: a font file replaces the preview; any other file leaves it.
    void showPreviewOf(const QString& path);
};

// Places the preview below the dialog's lists and follows its single clicks.
void addFontPreview(tms::FileChooser& dialog);

} // namespace tile
