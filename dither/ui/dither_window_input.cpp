// DitherWindow: how a picture gets in (file, drop, clipboard) and how it is scaled.

#include "dither_window.h"

#include "image_resize.h"
#include "picture_decoding.h"
#include "pixel_view.h"
#include "result_output.h"
#include "user_dialogs.h"

#include <QAction>
#include <QClipboard>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <new>

namespace dither {

void DitherWindow::showPicture(const QImage& image)
{
    displayedImage = image;
    pictureView->present(image);
}

void DitherWindow::onPictureDoubleClicked()
{
    onLoadPictureTriggered();
}

void DitherWindow::onLoadPictureTriggered()
{
    const QString path = showFileDialog(loadPictureRequest());
    if (path.isEmpty() || !QFileInfo::exists(path))
        return; // cancelled, or a name of no file: nothing changes
    loadPicture(path);
}

bool DitherWindow::loadPicture(const QString& path)
{
    // Decoded off the GUI thread: a large picture takes seconds, and may be cancelled.
    const tms::DecodedPicture decoded = decodePictureFile(this, path);
    if (decoded.cancelled)
        return false; // the picture shown stays
    QString error = decoded.error;
    if (decoded.image) {
        try {
            status->setToolTip(QString());
            takePicture(*decoded.image);
            m_pictureName = QFileInfo(path).fileName();
            showTitle();
            return true;
        } catch (const std::bad_alloc&) {
            error = QStringLiteral("Cannot read picture \"%1\": not enough memory to load it").arg(path);
        }
    }
    status->setText(QStringLiteral("Cannot read this picture"));
    status->setToolTip(error);
    m_dialogs->tell(tms::warningTitle(), error); // the status line is too small for the reason
    return false;
}

void DitherWindow::takePicture(const QImage& picture)
{
    loadedPicture = picture;
    applyScaling();
}

void DitherWindow::applyScaling()
{
    sourcePicture = dither::fitToScreen(loadedPicture, resizeMode, resolutionMode);
    // The last result belongs to the picture shown before: nothing is converted now.
    converted = false;
    status->setText(QString());
    setWindowModified(false);
    showPicture(pictureImage(sourcePicture));
    settingChanged();
}

void DitherWindow::onPasteButtonClicked()
{
    takeClipboardPicture();
}

void DitherWindow::onPastePictureTriggered()
{
    takeClipboardPicture();
}

void DitherWindow::takeClipboardPicture()
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

void DitherWindow::onResizeModeTriggered(int Index)
{
    const bool alreadyChecked = int(resizeMode) == Index;
    resizeMode = ResizeMode(Index);
    for (int i = 0; i < 3; ++i)
        resizeModeActions[i]->setChecked(i == Index);
    if (!alreadyChecked)
        applyScaling();
}

void DitherWindow::onResolutionModeTriggered(int Index)
{
    const bool alreadyChecked = int(resolutionMode) == Index;
    resolutionMode = ResolutionMode(Index);
    for (int i = 0; i < 2; ++i)
        resolutionModeActions[i]->setChecked(i == Index);
    if (!alreadyChecked)
        applyScaling();
}

} // namespace dither
