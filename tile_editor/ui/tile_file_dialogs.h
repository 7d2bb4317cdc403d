#pragma once
// The tile editor's six file dialogs, all built on the shared chooser: open and save
// of projects (.dat) and fonts (.fcv), and the assembler and C exports. A dialog
// settles a path (and the C export's options) and leaves it in LIEN; the window does
// the work afterwards. Each purpose remembers its folder for the whole run, even when
// LIEN's value for it has been emptied (Close empties the project path).

#include "file_chooser.h"
#include "kardo_window.h"

#include <QWidget>
#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace tms {
class UserDialogs;
}

namespace tile {

// Caption, pattern, extension, check or prompt of a dialog, starting in the folder of
// the purpose's remembered path.
tms::ChooserSetup fileDialogSetup(FileDialogKind kind);

// The C export's options below the file lists: the RLE check box and, behind
// "More options ->", the range of screen rows of the compressed name table.
class Export2COptions : public QWidget {
    Q_OBJECT
public:
    Export2COptions(int startLine, int endLine, QWidget* parent = nullptr);

    QCheckBox* RLE = nullptr;
    QPushButton* cmd_moreoptions = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QLabel* l_HScroll1 = nullptr;
    QLabel* l_HScroll2 = nullptr;

    void cmd_moreoptions_Click();
    void HScroll1_Change();
    void HScroll2_Change();

private:
    QWidget* m_range = nullptr;
};

// Builds the dialog of a kind, ready to be shown (tests drive it without showing it).
std::unique_ptr<tms::FileChooser> makeFileDialog(FileDialogKind kind, tms::UserDialogs& dialogs, QWidget* owner);

// After the dialog has closed: stores its choice in LIEN. Returns false, leaving
// LIEN alone, when nothing was chosen.
bool storeFileDialogChoice(FileDialogKind kind, const tms::FileChooser& dialog);

// Shows the dialog modally and stores the choice; false when it was closed without one.
bool showFileDialog(FileDialogKind kind, tms::UserDialogs& dialogs, QWidget* owner);

// Notes a path chosen for a purpose outside the dialogs (the command-line file), so
// that the next dialog of that purpose starts in its folder.
void rememberFolder(FileDialogKind kind, const QString& path);
// Forgets every remembered folder and resets LIEN, as at the start of a run.
void forgetRememberedPaths();

} // namespace tile
