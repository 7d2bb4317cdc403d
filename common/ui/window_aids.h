#pragma once
// Small aids the editor windows share for users who come from other programs: the
// platform's standard shortcuts on the File menu, an outline for swatches that would
// vanish into the grey window, and file dialogs whose columns fit their text.

#include <QColor>
#include <QPoint>
#include <QRect>

class QFileDialog;
class QAction;
class QWidget;

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
inline QColor swatchOutlineColor()
{
    return QColor(64, 64, 64);
}

// Widens the columns of a file dialog's detail view so that names, sizes, types and
// dates show whole.
void fitFileDialogColumns(QFileDialog* dialog);

// Where the top-left corner of a window whose frame is frameSize goes so that it sits
// beside ownerFrame rather than over it: to its right when it fits in available, else
// to its left, else against the side with more room; top aligned with the owner's and
// the whole frame kept inside available where it is small enough.
QPoint besideOwner(const QRect& ownerFrame, const QSize& frameSize, const QRect& available);

// Sizes window to its layout and moves it beside owner on owner's screen (for a tool
// window opened from owner, before it is first shown).
void placeBeside(QWidget* window, const QWidget* owner);

} // namespace tms
