#pragma once
// The two picture dialogs, OpenPPFile and SaveAsPPFile, built on the shared chooser.
// They only settle a path (and the file size) in LIEN; the main window loads or
// writes the file afterwards.

#include "file_chooser.h"

#include <memory>

class QCheckBox;
class QWidget;

namespace tms {
class UserDialogs;
}

namespace paint {

// Refuses a picked file whose length is not that of a PowerPaint picture.
QString checkPowerPaintLength(const QString& path);

std::unique_ptr<tms::FileChooser> createOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner);
// Stores the confirmed choice of a closed Open dialog in LIEN; nothing when closed without one.
void storeOpenPPFileChoice(const tms::FileChooser& chooser);

struct SaveAsPPFile {
    std::unique_ptr<tms::FileChooser> chooser;
    QCheckBox* Check1 = nullptr; // "FullScreen 40K"
};
SaveAsPPFile createSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner);
// Stores the confirmed path and the size chosen with Check1 in LIEN.
void storeSaveAsPPFileChoice(const SaveAsPPFile& dialog);

// Create, show modally, store.
void showOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner);
void showSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner);

} // namespace paint
