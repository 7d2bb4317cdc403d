#pragma once
// The import and export file dialogs of the paint program, built on the shared
// chooser. Like the picture dialogs they only settle a path in LIEN: an import
// dialog checks the picked file (length, header, or that it decodes) and writes the
// import path and lastPicturePath; an export dialog completes the name with its
// extension, asks before taking a non-empty file and writes its export path. The
// main window does the reading or writing once the dialog has closed.

#include "file_chooser.h"

#include <memory>

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
};

// An import dialog empties the import path when it is created, so that closing it
// without a choice imports nothing.
std::unique_ptr<tms::FileChooser> createTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs,
                                                       QWidget* owner);
// Stores the confirmed choice of a closed dialog in LIEN; nothing when closed without one.
void storeTransferChoice(TransferDialog kind, const tms::FileChooser& chooser);

// Create, show modally, store.
void showTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner);

} // namespace paint
