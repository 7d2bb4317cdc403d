#pragma once
// ImportPicture: the options of a picture import (method, colours, resize mode) with
// a live preview of the converted picture (the converter's shared dialog, previewing
// the bitmap). It converts only for its preview; the main window converts the picture
// itself once the dialog has closed, with the settings the dialog returned.

#include "picture_import.h"
#include "picture_import_dialog.h"

#include <optional>

namespace tms {
class UserDialogs;
}

namespace paint {

class ImportPicture : public dither::PictureImportDialog {
    Q_OBJECT
public:
    // source: the decoded picture to convert; initial: the settings shown at first.
    // The preview is 512x384, the picture at twice its size.
    ImportPicture(const QImage& source, const PictureImportSettings& initial, QWidget* owner = nullptr);
};

// Shows ImportPicture for the picture at path, starting with initial. OK returns the
// settings; Cancel, or a picture that cannot be read (told), returns nullopt.
std::optional<PictureImportSettings> showImportPicture(const QString& path, const PictureImportSettings& initial,
                                                       tms::UserDialogs& dialogs, QWidget* owner);

} // namespace paint
