#pragma once
// diag_open: the converter's two file dialogs. Each only settles a path and returns
// it (empty when the user cancels); the window then reads or writes the file.

#include <QString>

class QWidget;

namespace tms {
struct ChooserSetup;
class UserDialogs;
} // namespace tms

namespace dither {

struct FileDialogRequest {
    enum class Kind { Open, Save };
    Kind kind = Kind::Open;
    QString filterName; // "Pictures (*.bmp)"
    QString pattern;    // "*.bmp", or several separated by ';'
    QString title;      // "Save Picture"
};

// The three uses of the dialogs.
FileDialogRequest loadPictureRequest();
FileDialogRequest savePictureRequest();
FileDialogRequest savePowerPaintRequest();

// The shared chooser's set-up for a request; it starts in the folder of rememberedPath.
tms::ChooserSetup chooserSetup(const FileDialogRequest& request, const QString& rememberedPath = {});

// Shows the request as a modal file chooser owned by owner and returns the chosen path.
// It neither completes the extension nor asks before replacing: the window does both
// once it has the final name.
QString runFileDialog(const FileDialogRequest& request, tms::UserDialogs& dialogs, QWidget* owner);

// The extension rules of the save commands: ".pp" is appended unless the lower-cased
// path ends in it; a picture keeps ".png" (written as PNG) and otherwise gets ".bmp".
QString powerPaintPath(const QString& chosen);
QString picturePath(const QString& chosen);
bool isPngPath(const QString& path);

} // namespace dither
