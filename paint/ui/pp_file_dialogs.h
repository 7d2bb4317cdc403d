#pragma once
// The two picture dialogs, OpenPPFile and SaveAsPPFile, built on the shared chooser.
// They only settle a path (and the file size) and return it; the main window loads or
// writes the file afterwards. Both start in the folder of rememberedPath.

#include "file_chooser.h"

#include <memory>
#include <optional>

class QCheckBox;
class QWidget;

namespace tms {
class UserDialogs;
}

namespace paint {

// Refuses a picked file whose length is not that of a PowerPaint picture.
QString checkPowerPaintLength(const QString& path);

std::unique_ptr<tms::FileChooser> createOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner,
                                                   const QString& rememberedPath = {});

// What a confirmed Save As returns: the path and the size chosen with fullScreenBox.
struct SaveAsChoice {
    QString path;
    bool fullScreen = false;
};

struct SaveAsPPFile {
    std::unique_ptr<tms::FileChooser> chooser;
    QCheckBox* fullScreenBox = nullptr; // "FullScreen 40K", object name "Check1"
};
// fullScreenBox starts as fullScreen, the size of the picture's file.
SaveAsPPFile createSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath = {},
                                bool fullScreen = false);
// The choice of a closed Save As; nullopt when it was closed without one.
std::optional<SaveAsChoice> saveAsPPFileChoice(const SaveAsPPFile& dialog);

// Create, show modally, return the choice.
std::optional<QString> showOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath);
std::optional<SaveAsChoice> showSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath,
                                             bool fullScreen);

} // namespace paint
