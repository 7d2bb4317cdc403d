#include "transfer_dialogs.h"

#include "grp_file.h"
#include "lien.h"
#include "picture_import.h"
#include "spectrum_file.h"

namespace paint {

namespace {

bool isImport(TransferDialog kind)
{
    return kind == TransferDialog::ImportSCRFile || kind == TransferDialog::ImportGRPFile
           || kind == TransferDialog::ImportPictureFile;
}

QString checkPictureFile(const QString& path)
{
    QString error;
    return readPictureFile(path, &error) ? QString() : error;
}

tms::ChooserSetup setupOf(TransferDialog kind)
{
    tms::ChooserSetup form;
    const auto exportForm = [&](const char* name, const char* caption, const char* extension, const char* prompt,
                                const QString& remembered) {
        form.objectName = QString::fromLatin1(name);
        form.caption = QString::fromLatin1(caption);
        form.extension = QString::fromLatin1(extension);
        form.pattern = QStringLiteral("*") + form.extension;
        form.kind = tms::ChooserSetup::Kind::Save;
        form.submitText = QStringLiteral("Export");
        form.replacePrompt = QString::fromLatin1(prompt);
        form.rememberedPath = remembered;
    };
    const auto importForm = [&](const char* name, const char* caption, const QString& pattern,
                                std::function<QString(const QString&)> check) {
        form.objectName = QString::fromLatin1(name);
        form.caption = QString::fromLatin1(caption);
        form.pattern = pattern;
        form.kind = tms::ChooserSetup::Kind::Open;
        form.check = std::move(check);
        form.rememberedPath = LIEN::lastPicturePath();
    };
    switch (kind) {
    case TransferDialog::ImportSCRFile:
        importForm("ImportSCRFile", "Import Spectrum Image file", QStringLiteral("*.scr;*.mlt"), checkSpectrumFile);
        break;
    case TransferDialog::ImportGRPFile:
        importForm("ImportGRPFile", "Import MSX Mode 2 Image file", QStringLiteral("*.grp;*.sc2"), checkGRPFile);
        break;
    case TransferDialog::ImportPictureFile:
        importForm("ImportPictureFile", "Import Picture file", pictureFilePattern(), checkPictureFile);
        break;
    case TransferDialog::Export2C:
        exportForm("Export2C", "Export to C file", ".c", "Do you want to replace this C file", LIEN::cExportPath());
        break;
    case TransferDialog::Export2ASM:
        exportForm("Export2ASM", "Export to ASM file", ".asm", "Do you want to replace this ASM file",
                   LIEN::asmExportPath());
        break;
    case TransferDialog::Export2GRP:
        exportForm("Export2GRP", "Export to GRP file", ".grp", "Do you want to replace this GRP file",
                   LIEN::grpExportPath());
        break;
    }
    return form;
}

} // namespace

std::unique_ptr<tms::FileChooser> createTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs,
                                                       QWidget* owner)
{
    if (isImport(kind))
        LIEN::setImportPath(QString());
    return std::make_unique<tms::FileChooser>(setupOf(kind), dialogs, owner);
}

void storeTransferChoice(TransferDialog kind, const tms::FileChooser& chooser)
{
    if (chooser.result() != QDialog::Accepted || chooser.chosenPath().isEmpty())
        return;
    const QString path = chooser.chosenPath();
    switch (kind) {
    case TransferDialog::ImportSCRFile:
    case TransferDialog::ImportGRPFile:
    case TransferDialog::ImportPictureFile:
        LIEN::setLastPicturePath(path);
        LIEN::setImportPath(path);
        break;
    case TransferDialog::Export2C:
        LIEN::setCExportPath(path);
        break;
    case TransferDialog::Export2ASM:
        LIEN::setAsmExportPath(path);
        break;
    case TransferDialog::Export2GRP:
        LIEN::setGrpExportPath(path);
        break;
    }
}

void showTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner)
{
    const auto chooser = createTransferDialog(kind, dialogs, owner);
    chooser->exec();
    storeTransferChoice(kind, *chooser);
}

} // namespace paint
