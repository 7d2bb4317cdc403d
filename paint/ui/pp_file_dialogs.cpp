#include "pp_file_dialogs.h"

#include "pp_file.h"

#include <QCheckBox>
#include <QFileInfo>

namespace paint {

QString checkPowerPaintLength(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && isPowerPaintLength(info.size()) ? QString() : notPowerPaintMessage();
}

std::unique_ptr<tms::FileChooser> createOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner,
                                                   const QString& rememberedPath)
{
    tms::ChooserSetup form;
    form.objectName = QStringLiteral("OpenPPFile");
    form.caption = QStringLiteral("Open PowerPaint file");
    form.pattern = QStringLiteral("*.pp");
    form.kind = tms::ChooserSetup::Kind::Open;
    form.check = checkPowerPaintLength;
    form.rememberedPath = rememberedPath;
    return std::make_unique<tms::FileChooser>(form, dialogs, owner);
}

SaveAsPPFile createSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath,
                                bool fullScreen)
{
    tms::ChooserSetup form;
    form.objectName = QStringLiteral("SaveAsPPFile");
    form.caption = QStringLiteral("Save As (PP File)");
    form.pattern = QStringLiteral("*.pp");
    form.kind = tms::ChooserSetup::Kind::Save;
    form.submitText = QStringLiteral("Save");
    form.extension = QStringLiteral(".pp");
    form.replacePrompt = QStringLiteral("Do you want to replace this file");
    form.rememberedPath = rememberedPath;
    SaveAsPPFile dialog;
    dialog.chooser = std::make_unique<tms::FileChooser>(form, dialogs, owner);
    dialog.fullScreenBox = new QCheckBox(QStringLiteral("FullScreen 40K"));
    dialog.fullScreenBox->setObjectName(QStringLiteral("Check1"));
    dialog.fullScreenBox->setChecked(fullScreen);
    dialog.chooser->addOptions(dialog.fullScreenBox);
    return dialog;
}

std::optional<SaveAsChoice> saveAsPPFileChoice(const SaveAsPPFile& dialog)
{
    const std::optional<QString> path = dialog.chooser->confirmedPath();
    if (!path)
        return std::nullopt;
    return SaveAsChoice{*path, dialog.fullScreenBox->isChecked()};
}

std::optional<QString> showOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath)
{
    const auto chooser = createOpenPPFile(dialogs, owner, rememberedPath);
    chooser->exec();
    return chooser->confirmedPath();
}

std::optional<SaveAsChoice> showSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner, const QString& rememberedPath,
                                             bool fullScreen)
{
    const SaveAsPPFile dialog = createSaveAsPPFile(dialogs, owner, rememberedPath, fullScreen);
    dialog.chooser->exec();
    return saveAsPPFileChoice(dialog);
}

} // namespace paint
