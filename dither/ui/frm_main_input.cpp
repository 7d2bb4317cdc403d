// frm_main: how a picture gets in (file, drop, clipboard) and how it is scaled.

#include "frm_main.h"

#include "picture_file.h"
#include "result_output.h"
#include "pixel_view.h"
#include "user_dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <new>

namespace dither {

void frm_main::showPicture(const QImage& image)
{
    Buffered_Image = image;
    Picture1->present(image);
}

void frm_main::Picture1_DblClick()
{
    menu_load_picture_Click();
}

void frm_main::menu_load_picture_Click()
{
    const QString path = showFileDialog(loadPictureRequest());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return; // cancelled, or a name of no file: nothing changes
    loadPicture(path);
}

bool frm_main::loadPicture(const QString& path)
{
    QString error;
    try {
        if (const std::optional<QImage> picture = readPicture(path, &error)) {
            status->setToolTip(QString());
            takePicture(*picture);
            m_pictureName = QFileInfo(path).fileName();
            showTitle();
            return true;
        }
    } catch (const std::bad_alloc&) { // a picture within the size limit, but not within this machine's memory
        error = QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path);
    }
    status->setText(QStringLiteral("Cannot read this picture"));
    status->setToolTip(error);
    m_dialogs->tell(tms::warningTitle(), error); // the status line is too small for the reason
    return false;
}

void frm_main::takePicture(const QImage& picture)
{
    Picture2 = picture;
    apply_resize();
}

void frm_main::apply_resize()
{
    source_image = dither::apply_resize(Picture2, resize_mode, resolution_mode);
    // The last result belongs to the picture shown before: nothing is converted now.
    converted = false;
    status->setText(QString());
    setWindowModified(false);
    showPicture(pictureImage(source_image));
    settingChanged();
}

void frm_main::cmd_from_clipboard_Click()
{
    takeClipboardPicture();
}

void frm_main::menu_copy_clipboard_Click()
{
    takeClipboardPicture();
}

void frm_main::takeClipboardPicture()
{
    const QImage picture = QGuiApplication::clipboard()->image();
    if (picture.isNull()) {
        status->setText(QStringLiteral("No picture in the clipboard"));
        return;
    }
    takePicture(picture);
    m_pictureName = QStringLiteral("pasted picture");
    showTitle();
}

void frm_main::menu_resize_mode_Click(int Index)
{
    const bool alreadyChecked = int(resize_mode) == Index;
    resize_mode = ResizeMode(Index);
    for (int i = 0; i < 3; ++i)
        menu_resize_mode[i]->setChecked(i == Index);
    if (!alreadyChecked)
        apply_resize();
}

void frm_main::menu_resolution_mode_Click(int Index)
{
    const bool alreadyChecked = int(resolution_mode) == Index;
    resolution_mode = ResolutionMode(Index);
    for (int i = 0; i < 2; ++i)
        menu_resolution_mode[i]->setChecked(i == Index);
    if (!alreadyChecked)
        apply_resize();
}

} // namespace dither
