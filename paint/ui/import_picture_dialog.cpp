#include "import_picture_dialog.h"

#include "picture_decoding.h"
#include "picture_render.h"
#include "user_dialogs.h"

namespace paint {

namespace {

dither::PicturePreview previewOf(const QImage& source, const PictureImportSettings& settings)
{
    Picture converted;
    clearPicture(converted);
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

std::optional<PictureImportSettings> showImportPicture(const QString& path, const PictureImportSettings& initial,
                                                       tms::UserDialogs& dialogs, QWidget* owner)
{
    const tms::DecodedPicture source = dither::decodePictureFile(owner, path); // off the GUI thread
    if (source.cancelled)
        return std::nullopt;
    if (!source.image) { // changed since it was chosen
        dialogs.tell(tms::warningTitle(), source.error);
        return std::nullopt;
    }
    ImportPicture dialog(*source.image, initial, owner);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.settings();
}

} // namespace paint
