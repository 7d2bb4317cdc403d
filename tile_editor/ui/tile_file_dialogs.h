#pragma once
// The tile editor's file dialogs, all built on the shared chooser: open and save of
// projects (.dat) and fonts (.fcv), the assembler, C and raw table exports, and the pictures
// (a picture or a sheet to import, a sheet or the screen to export as PNG). A dialog
// returns the path it settled (and the C export's options); the window does the work
// afterwards. Each purpose remembers its folder for the whole run.

#include "c_export.h"
#include "export_format_options.h"
#include "file_chooser.h"
#include "tile_editor_window.h"

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
class CExportOptionsPanel : public QWidget {
    Q_OBJECT
public:
    CExportOptionsPanel(int startLine, int endLine, QWidget* parent = nullptr);

    QCheckBox* m_rleCheck = nullptr;
    QPushButton* m_moreOptionsButton = nullptr;
    QLabel* m_rangeTitleLabel = nullptr;
    QLabel* m_startRowTitleLabel = nullptr;
    QLabel* m_endRowTitleLabel = nullptr;
    QScrollBar* m_startRowBar = nullptr;
    QScrollBar* m_endRowBar = nullptr;
    QLabel* m_startRowLabel = nullptr;
    QLabel* m_endRowLabel = nullptr;
    // The style (coleco, stdint) and the codec; checking RLE picks RLE there.
    tms::ExportFormatOptions* formats = nullptr;

    void onMoreOptionsClicked();
    void onStartRowChanged();
    void onEndRowChanged();

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
std::optional<FileChoice> showFileDialog(FileDialogKind kind, const CExportOptions& cExport, tms::UserDialogs& dialogs,
                                         QWidget* owner);

// Notes a path chosen for a purpose (in a dialog, on the command line, dropped), so
// that the next dialog of that purpose starts in its folder.
void rememberFolder(FileDialogKind kind, const QString& path);
// Forgets every remembered folder, as at the start of a run.
void forgetRememberedPaths();

} // namespace tile
