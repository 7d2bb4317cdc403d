#include "file_dialogs.h"

#include "file_chooser.h"
#include "file_extension.h"

namespace dither {

FileDialogRequest loadPictureRequest()
{
    return {FileDialogRequest::Kind::Open, QStringLiteral("Pictures (.bmp,*.ico,*.gif,*.jpg,*.jpeg,*.png)"),
            QStringLiteral("*.bmp;*.ico;*.gif;*.jpg;*.jpeg;*.png"), QStringLiteral("Open Picture File")};
}

FileDialogRequest savePictureRequest()
{
    return {FileDialogRequest::Kind::Save, QStringLiteral("Pictures (*.bmp)"), QStringLiteral("*.bmp"),
            QStringLiteral("Save Picture")};
}

FileDialogRequest savePowerPaintRequest()
{
    return {FileDialogRequest::Kind::Save, QStringLiteral("PowerPaint (*.pp)"), QStringLiteral("*.pp"),
            QStringLiteral("Save PowerPaint File")};
}

tms::ChooserSetup chooserSetup(const FileDialogRequest& request, const QString& rememberedPath)
{
    const bool opening = request.kind == FileDialogRequest::Kind::Open;
    tms::ChooserSetup setup;
    setup.objectName = opening ? QStringLiteral("open_dialog") : QStringLiteral("save_dialog");
    setup.caption = request.title;
    setup.filterName = request.filterName;
    setup.pattern = request.pattern;
    setup.kind = opening ? tms::ChooserSetup::Kind::Open : tms::ChooserSetup::Kind::Save;
    setup.submitText = QStringLiteral("Save");
    setup.rememberedPath = rememberedPath;
    return setup; // no extension and no replace question: the window settles both
}

QString runFileDialog(const FileDialogRequest& request, tms::UserDialogs& dialogs, QWidget* owner)
{
    // The folder of the last choice, for the rest of the run only.
    static QString lastPath;
    tms::FileChooser chooser(chooserSetup(request, lastPath), dialogs, owner);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenPath().isEmpty())
        return {};
    lastPath = chooser.chosenPath();
    return lastPath;
}

QString powerPaintPath(const QString& chosen)
{
    return tms::completeExtension(chosen, QStringLiteral(".pp"));
}

bool isPngPath(const QString& path)
{
    return tms::hasExtension(path, QStringLiteral(".png"));
}

QString picturePath(const QString& chosen)
{
    return isPngPath(chosen) ? chosen : tms::completeExtension(chosen, QStringLiteral(".bmp"));
}

} // namespace dither
