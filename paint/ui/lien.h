#pragma once
// LIEN: the paint program's remembered values, shared by the main window and its
// dialogs for the rest of the run. A dialog writes a value when the user confirms a
// choice; the main window reads it once the dialog has closed.

#include "picture_import.h"

#include <QString>

namespace paint::LIEN {

// The path last confirmed in the Open, Save As or import dialogs; the picture
// dialogs start in its folder.
QString lastPicturePath();
void setLastPicturePath(const QString& path);
// Counts every write of lastPicturePath, so that the window can tell a confirmed
// choice of the same path from a dialog closed without one.
int lastPicturePathWrites();

// Size of the file that Save writes: false = 10K, true = 40K.
bool fullScreenFile();
void setFullScreenFile(bool fullScreen);

// Paths of the imports and exports.
QString importPath();
void setImportPath(const QString& path);
QString cExportPath();
void setCExportPath(const QString& path);
QString asmExportPath();
void setAsmExportPath(const QString& path);
QString grpExportPath();
void setGrpExportPath(const QString& path);
// Counts every write of an export path, so that the window can tell a confirmed
// choice of the same path from a dialog closed without one.
int exportPathWrites();

// The settings last confirmed in the Import Picture dialog.
PictureImportSettings pictureImportSettings();
void setPictureImportSettings(const PictureImportSettings& settings);

// Back to the values of a fresh start (tests run several windows in one process).
void reset();

} // namespace paint::LIEN
