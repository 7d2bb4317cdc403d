// DitherWindow: handing the result on (PowerPaint files, picture files, clipboard).

#include "dither_window.h"

#include "atomic_file.h"
#include "document_life.h"
#include "image_bytes.h"
#include "result_output.h"
#include "user_dialogs.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>

namespace dither {

QImage DitherWindow::pictureToHandOn() const
{
    return converted ? resultImage(result) : displayedImage;
}

void DitherWindow::showTitle()
{
    const QString program = QStringLiteral("Palette Press");
    setWindowTitle((m_pictureName.isEmpty() ? program : program + QStringLiteral(" - ") + m_pictureName)
                   + QStringLiteral("[*]"));
}

bool DitherWindow::convertShownPicture()
{
    if (!converted && lastMethod)
        convertWith(*lastMethod, true);
    return converted;
}

void DitherWindow::onSavePowerPaintFullTriggered()
{
    savePowerPaint(true);
}

void DitherWindow::onSavePowerPaint10kTriggered()
{
    savePowerPaint(false);
}

void DitherWindow::savePowerPaint(bool full)
{
    // What is saved is what is shown: the picture is converted first, if a method was chosen.
    if (!convertShownPicture()) {
        m_dialogs->tell(tms::warningTitle(), notConvertedMessage());
        return;
    }
    const QString path = askSavePath(savePowerPaintRequest(), powerPaintPath);
    if (!path.isEmpty())
        writeOutput(path, powerPaintFile(result, full));
}

void DitherWindow::onSavePictureTriggered()
{
    convertShownPicture(); // without a method chosen, the picture is saved as shown
    const QString path = askSavePath(savePictureRequest(), picturePath);
    if (!path.isEmpty())
        writeOutput(path, tms::encodeImage(pictureToHandOn(), isPngPath(path) ? "PNG" : "BMP"));
}

QString DitherWindow::askSavePath(const FileDialogRequest& request, QString (*complete)(const QString&))
{
    const QString chosen = showFileDialog(request);
    if (chosen.isEmpty())
        return {};
    const QString path = complete(chosen);
    // Asked here, after the extension is settled, so the question names the file written.
    if (QFileInfo::exists(path)
        && !m_dialogs->askYesNo(
            tms::warningTitle(),
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName())))
        return {};
    return path;
}

void DitherWindow::writeOutput(const QString& path, const std::optional<QByteArray>& bytes)
{
    if (!bytes) {
        m_dialogs->tell(tms::warningTitle(), QStringLiteral("Cannot encode the picture for %1").arg(path));
        return;
    }
    const tms::FileResult written = tms::writeWholeFile(path, *bytes);
    if (!written)
        m_dialogs->tell(tms::warningTitle(), written.error);
    else {
        status->setText(tms::writtenFileMessage(path));
        setWindowModified(false);
    }
}

void DitherWindow::onCopyButtonClicked()
{
    copyToClipboard();
}

void DitherWindow::onCopyPictureTriggered()
{
    copyToClipboard();
}

void DitherWindow::copyToClipboard()
{
    convertShownPicture(); // without a method chosen, the picture is copied as shown
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(pictureToHandOn());
    QCoreApplication::processEvents();
}

} // namespace dither
