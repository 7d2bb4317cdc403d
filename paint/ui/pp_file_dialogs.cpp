#include "pp_file_dialogs.h"

#include "lien.h"
#include "pp_file.h"

#include <QCheckBox>
#include <QFileInfo>

namespace paint {

QString checkPowerPaintLength(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && isPowerPaintLength(info.size()) ? QString() : notPowerPaintMessage();
}

std::unique_ptr<tms::FileChooser> createOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner)
{
    tms::ChooserSetup form;
    form.objectName = QStringLiteral("OpenPPFile");
    form.caption = QStringLiteral("Open PowerPaint file");
    form.pattern = QStringLiteral("*.pp");
    form.kind = tms::ChooserSetup::Kind::Open;
    form.check = checkPowerPaintLength;
    form.rememberedPath = LIEN::lastPicturePath();
    return std::make_unique<tms::FileChooser>(form, dialogs, owner);
}

void storeOpenPPFileChoice(const tms::FileChooser& chooser)
{
    if (chooser.result() == QDialog::Accepted && !chooser.chosenPath().isEmpty())
        LIEN::setLastPicturePath(chooser.chosenPath());
}

SaveAsPPFile createSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner)
{
    tms::ChooserSetup form;
    form.objectName = QStringLiteral("SaveAsPPFile");
    form.caption = QStringLiteral("Save As (PP File)");
    form.pattern = QStringLiteral("*.pp");
    form.kind = tms::ChooserSetup::Kind::Save;
    form.submitText = QStringLiteral("Save");
    form.extension = QStringLiteral(".pp");
    form.replacePrompt = QStringLiteral("Do you want to replace this file");
    form.rememberedPath = LIEN::lastPicturePath();
    SaveAsPPFile dialog;
    dialog.chooser = std::make_unique<tms::FileChooser>(form, dialogs, owner);
    dialog.Check1 = new QCheckBox(QStringLiteral("FullScreen 40K"));
    dialog.Check1->setObjectName(QStringLiteral("Check1"));
    dialog.Check1->setChecked(LIEN::fullScreenFile());
    dialog.chooser->addOptions(dialog.Check1);
    return dialog;
}

void storeSaveAsPPFileChoice(const SaveAsPPFile& dialog)
{
    if (dialog.chooser->result() != QDialog::Accepted || dialog.chooser->chosenPath().isEmpty())
        return;
    LIEN::setLastPicturePath(dialog.chooser->chosenPath());
    LIEN::setFullScreenFile(dialog.Check1->isChecked());
}

void showOpenPPFile(tms::UserDialogs& dialogs, QWidget* owner)
{
    const auto chooser = createOpenPPFile(dialogs, owner);
    chooser->exec();
    storeOpenPPFileChoice(*chooser);
}

void showSaveAsPPFile(tms::UserDialogs& dialogs, QWidget* owner)
{
    const SaveAsPPFile dialog = createSaveAsPPFile(dialogs, owner);
    dialog.chooser->exec();
    storeSaveAsPPFileChoice(dialog);
}

} // namespace paint
