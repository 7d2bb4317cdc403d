#pragma once
// Small aids the editor windows share for users who come from other programs: the
// platform's standard shortcuts on the File menu, an outline for swatches that would
// vanish into the grey window, and file dialogs whose columns fit their text.

#include <QColor>

class QFileDialog;
class QAction;

namespace tms {

// The File menu's commands that have standard keys.
enum class FileCommand { New, Open, Save, SaveAs, Close, Quit };

// Gives the item of a File menu command, where it is created, the platform's standard
// keys and the usual one besides (Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Shift+S, Ctrl+W, Ctrl+Q).
// The caption is left as it is.
void giveStandardKeys(QAction* action, FileCommand command);

// The thin outline drawn around a palette swatch whose colour is close to the
// window's grey (colour 14, grey), so that it stands out.
inline constexpr int lightSwatchIndex = 14;
inline QColor swatchOutlineColor() { return QColor(64, 64, 64); }

// Widens the columns of a file dialog's detail view so that names, sizes, types and
// dates show whole.
void fitFileDialogColumns(QFileDialog* dialog);

} // namespace tms
