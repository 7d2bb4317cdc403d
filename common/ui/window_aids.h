#pragma once
// Small aids the editor windows share for users who come from other programs: the
// platform's standard shortcuts on the File menu, an outline for swatches that would
// vanish into the grey window, and file dialogs whose columns fit their text.

#include <QColor>

class QFileDialog;
class QMenu;

namespace tms {

// Gives the File menu items New, Open, Save, Save As, Close and Quit (found by their
// names Nouveau, Ouvrir, Sauver, SauverSous, Fermer, Quitter) the platform's standard
// keys, or Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Shift+S, Ctrl+W and Ctrl+Q where it has none.
// The captions are left as they are.
void setStandardFileShortcuts(QMenu* fileMenu);

// The thin outline drawn around a palette swatch whose colour is close to the
// window's grey (colour 14, grey), so that it stands out.
inline constexpr int lightSwatchIndex = 14;
inline QColor swatchOutlineColor() { return QColor(64, 64, 64); }

// Widens the columns of a file dialog's detail view so that names, sizes, types and
// dates show whole.
void fitFileDialogColumns(QFileDialog* dialog);

} // namespace tms
