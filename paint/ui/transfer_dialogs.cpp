#include "transfer_dialogs.h"

#include "grp_file.h"
#include "picture_decoding.h"
#include "picture_import.h"
#include "spectrum_file.h"

namespace paint {

namespace {

tms::ChooserSetup setupOf(TransferDialog kind, const QString& rememberedPath)
{
    tms::ChooserSetup form;
    form.rememberedPath = rememberedPath;
    const auto exportForm = [&](const char* name, const char* caption, const char* extension, const char* prompt) {
        form.objectName = QString::fromLatin1(name);
        form.caption = QString::fromLatin1(caption);
        form.extension = QString::fromLatin1(extension);
        form.pattern = QStringLiteral("*") + form.extension;
        form.kind = tms::ChooserSetup::Kind::Save;
        form.submitText = QStringLiteral("Export");
        form.replacePrompt = QString::fromLatin1(prompt);
    };
    const auto importForm = [&](const char* name, const char* caption, const QString& pattern,
                                std::function<QString(const QString&)> check) {
        form.objectName = QString::fromLatin1(name);
        form.caption = QString::fromLatin1(caption);
        form.pattern = pattern;
        form.kind = tms::ChooserSetup::Kind::Open;
        form.check = std::move(check);
    };
    switch (kind) {
    case TransferDialog::ImportSCRFile:
        importForm("ImportSCRFile", "Import Spectrum Image file", QStringLiteral("*.scr;*.mlt"), checkSpectrumFile);
        break;
    case TransferDialog::ImportGRPFile:
        importForm("ImportGRPFile", "Import MSX Mode 2 Image file", QStringLiteral("*.grp;*.sc2"), checkGRPFile);
        break;
    case TransferDialog::ImportPictureFile:
        importForm("ImportPictureFile", "Import Picture file", pictureFilePattern(), dither::pictureFileProblem);
        break;
    case TransferDialog::Export2C:
        exportForm("Export2C", "Export to C file", ".c", "Do you want to replace this C file");
        break;
    case TransferDialog::Export2ASM:
        exportForm("Export2ASM", "Export to ASM file", ".asm", "Do you want to replace this ASM file");
        break;
    case TransferDialog::Export2GRP:
        exportForm("Export2GRP", "Export to GRP file", ".grp", "Do you want to replace this GRP file");
        break;
    case TransferDialog::Export2BIN:
        exportForm("Export2BIN", "Export raw tables (PREFIX.pat, .col, .nam)", ".pat",
                   "Do you want to replace these table files");
        break;
    }
    return form;
}

} // namespace

std::unique_ptr<tms::FileChooser> createTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner,
                                                       const QString& rememberedPath)
{
    return std::make_unique<tms::FileChooser>(setupOf(kind, rememberedPath), dialogs, owner);
}

std::unique_ptr<tms::FileChooser> createExportDialog(TransferDialog kind, const tms::ExportFormat& format,
                                                     tms::UserDialogs& dialogs, QWidget* owner,
                                                     const QString& rememberedPath)
{
    auto chooser = createTransferDialog(kind, dialogs, owner, rememberedPath);
    const auto formatKind = kind == TransferDialog::Export2C     ? tms::ExportFormatOptions::Kind::C
                            : kind == TransferDialog::Export2ASM ? tms::ExportFormatOptions::Kind::Assembler
                                                                 : tms::ExportFormatOptions::Kind::Binary;
    chooser->addOptions(new tms::ExportFormatOptions(formatKind, format, chooser.get()));
    return chooser;
}

std::optional<ExportChoice> exportDialogChoice(const tms::FileChooser& chooser)
{
    const std::optional<QString> path = chooser.confirmedPath();
    const auto* options = chooser.findChild<tms::ExportFormatOptions*>();
    if (!path || !options)
        return std::nullopt;
    return ExportChoice{*path, options->format()};
}

std::optional<ExportChoice> showExportDialog(TransferDialog kind, const tms::ExportFormat& format,
                                             tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath)
{
    const auto chooser = createExportDialog(kind, format, dialogs, owner, rememberedPath);
    chooser->exec();
    return exportDialogChoice(*chooser);
}

std::optional<QString> showTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner,
                                          const QString& rememberedPath)
{
    const auto chooser = createTransferDialog(kind, dialogs, owner, rememberedPath);
    chooser->exec();
    return chooser->confirmedPath();
}

} // namespace paint
