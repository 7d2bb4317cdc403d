#include "import_picture_dialog.h"

#include "lien.h"
#include "picture_render.h"
#include "user_dialogs.h"

namespace paint {

namespace {

dither::PicturePreview previewOf(const QImage& source, const PictureImportSettings& settings)
{
    Picture converted;
    ClearPicture(converted);
    if (!convertPicture(source, settings, converted))
        return {false, {}, selectMoreColorsMessage()};
    QImage image = makeViewImage(normalView());
    renderPicture(image, converted, tms::standardPalette(), normalView());
    return {true, image, {}};
}

} // namespace

ImportPicture::ImportPicture(const QImage& source, const PictureImportSettings& initial, QWidget* owner)
    : dither::PictureImportDialog(
          initial, [source](const PictureImportSettings& settings) { return previewOf(source, settings); }, owner)
{
}

void showImportPicture(tms::UserDialogs& dialogs, QWidget* owner)
{
    QString error;
    const std::optional<QImage> source = readPictureFile(LIEN::importPath(), &error);
    if (!source) { // changed since it was chosen
        LIEN::setImportPath(QString());
        dialogs.tell(tms::warningTitle(), error);
        return;
    }
    ImportPicture dialog(*source, LIEN::pictureImportSettings(), owner);
    if (dialog.exec() == QDialog::Accepted)
        LIEN::setPictureImportSettings(dialog.settings());
    else
        LIEN::setImportPath(QString());
}

} // namespace paint
