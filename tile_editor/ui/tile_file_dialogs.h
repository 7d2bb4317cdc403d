#pragma once
// The tile editor's six file dialogs, all built on the shared chooser: open and save
// of projects (.dat) and fonts (.fcv), and the assembler and C exports. A dialog
// returns the path it settled (and the C export's options); the window does the work
// afterwards. Each purpose remembers its folder for the whole run.

#include "c_export.h"
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
// The C export's dialog starts with the rows of cExport; its RLE box starts unchecked.
std::unique_ptr<tms::FileChooser> makeFileDialog(FileDialogKind kind, const CExportOptions& cExport,
                                                 tms::UserDialogs& dialogs, QWidget* owner);

// After the dialog has closed: its choice, or nullopt when nothing was chosen.
std::optional<FileChoice> fileDialogChoice(FileDialogKind kind, const tms::FileChooser& dialog);

// Shows the dialog modally and returns its choice.
std::optional<FileChoice> showFileDialog(FileDialogKind kind, const CExportOptions& cExport,
                                         tms::UserDialogs& dialogs, QWidget* owner);

// Notes a path chosen for a purpose (in a dialog, on the command line, dropped), so
// that the next dialog of that purpose starts in its folder.
void rememberFolder(FileDialogKind kind, const QString& path);
// Forgets every remembered folder, as at the start of a run.
void forgetRememberedPaths();

} // namespace tile
