#include "transfer_dialogs.h"

#include "grp_file.h"
#include "picture_import.h"
#include "spectrum_file.h"

namespace paint {

namespace {

QString checkPictureFile(const QString& path)
{
    QString error;
    return readPictureFile(path, &error) ? QString() : error;
}

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
        importForm("ImportGRPFile", "Import MSX Mode 2 Image file", QStringLiteral("*.grp"), checkGRPFile);
        break;
    case TransferDialog::ImportPictureFile:
        importForm("ImportPictureFile", "Import Picture file", pictureFilePattern(), checkPictureFile);
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
    }
    return form;
}

} // namespace

std::unique_ptr<tms::FileChooser> createTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs,
                                                       QWidget* owner, const QString& rememberedPath)
{
    return std::make_unique<tms::FileChooser>(setupOf(kind, rememberedPath), dialogs, owner);
}

std::optional<QString> showTransferDialog(TransferDialog kind, tms::UserDialogs& dialogs, QWidget* owner,
                                          const QString& rememberedPath)
{
    const auto chooser = createTransferDialog(kind, dialogs, owner, rememberedPath);
    chooser->exec();
    return chooser->confirmedPath();
}

} // namespace paint
