#pragma once
// The import and export file dialogs of the paint program, built on the shared
// chooser. Like the picture dialogs they only settle a path and return it: an import
// dialog checks the picked file (length, header, or that it decodes); an export
// dialog completes the name with its extension and asks before taking a non-empty
// file. The main window does the reading or writing once the dialog has closed.

#include "export_format_options.h"
#include "file_chooser.h"

#include <memory>
#include <optional>

class QWidget;

namespace tms {
class UserDialogs;
}

namespace paint {

enum class TransferDialog {
    ImportSCRFile,     // "Import Spectrum Image file", *.scr;*.mlt
    ImportGRPFile,     // "Import MSX Mode 2 Image file", *.grp;*.sc2
    ImportPictureFile, // "Import Picture file", *.png;*.bmp;*.gif;*.jpg;*.jpeg
    Export2C,          // "Export to C file", *.c
    Export2ASM,        // "Export to ASM file", *.asm
    Export2GRP,        // "Export to GRP file", *.grp
    Export2BIN,        // "Export raw tables", *.pat (PREFIX.pat names the tables)
};

// The dialog starts in the folder of rememberedPath.
std::unique_ptr<tms::FileChooser> createTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner,
                                                       const QString& rememberedPath = {});

// The C, assembler and raw table exports carry their format controls, starting at
// format; the chosen format comes back with the path.
struct ExportChoice {
    QString path;
    tms::ExportFormat format;
};
std::unique_ptr<tms::FileChooser> createExportDialog(TransferDialog kind, const tms::ExportFormat& format,
                                                     tms::UserDialogs& dialogs, QWidget* owner,
                                                     const QString& rememberedPath = {});
std::optional<ExportChoice> exportDialogChoice(const tms::FileChooser& chooser);
std::optional<ExportChoice> showExportDialog(TransferDialog kind, const tms::ExportFormat& format,
                                             tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath);

// Create, show modally, return the confirmed path (nullopt: closed without one).
std::optional<QString> showTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner,
                                          const QString& rememberedPath);

} // namespace paint
