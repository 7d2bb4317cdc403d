#pragma once
// ImportPicture: the options of a picture import (method, colours, resize mode) with
// a live preview of the converted picture. It converts only for its preview; the
// main window converts the picture itself once the dialog has closed, with the
// settings the dialog returned.

#include "picture_import.h"

#include <QDialog>

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;

namespace tms {
class UserDialogs;
}

namespace paint {

class ImportPicture : public QDialog {
    Q_OBJECT
public:
    // source: the decoded picture to convert; initial: the settings shown at first.
    ImportPicture(const QImage& source, const PictureImportSettings& initial, QWidget* owner = nullptr);

    PictureImportSettings settings() const;
    // The preview as last drawn (512x384, the picture at twice its size).
    QImage previewImage() const { return m_preview; }

    // Converts with the current settings and shows the result; with fewer than two
    // colours it says "Select more colors" and OK is disabled.
    void updatePreview();

private:
    QImage m_source;
    QImage m_preview;
    QComboBox* cmb_method = nullptr;
    QComboBox* cmb_resize = nullptr;
    std::array<QCheckBox*, 15> chk_colour{};
    QLabel* lbl_preview = nullptr;
    QLabel* lbl_status = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

// Shows ImportPicture for the picture at path, starting with initial. OK returns the
// settings; Cancel, or a picture that cannot be read (told), returns nullopt.
std::optional<PictureImportSettings> showImportPicture(const QString& path, const PictureImportSettings& initial,
                                                       tms::UserDialogs& dialogs, QWidget* owner);

} // namespace paint
