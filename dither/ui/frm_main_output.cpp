// frm_main: handing the result on (PowerPaint files, picture files, clipboard).

#include "frm_main.h"

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

QImage frm_main::pictureToHandOn() const
{
    return converted ? resultImage(result) : Buffered_Image;
}

void frm_main::showTitle()
{
    const QString program = QStringLiteral("Palette Press");
    setWindowTitle((m_pictureName.isEmpty() ? program : program + QStringLiteral(" - ") + m_pictureName)
                   + QStringLiteral("[*]"));
}

bool frm_main::convertShownPicture()
{
    if (!converted && lastMethod)
        convertWith(*lastMethod, true);
    return converted;
}

void frm_main::menu_save_powerpaint_Click()
{
    save_powerpaint(true);
}

void frm_main::menu_save_powerpaint_10k_Click()
{
    save_powerpaint(false);
}

void frm_main::save_powerpaint(bool full)
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

void frm_main::menu_save_picture_Click()
{
    convertShownPicture(); // without a method chosen, the picture is saved as shown
    const QString path = askSavePath(savePictureRequest(), picturePath);
    if (!path.isEmpty())
        writeOutput(path, tms::encodeImage(pictureToHandOn(), isPngPath(path) ? "PNG" : "BMP"));
}

QString frm_main::askSavePath(const FileDialogRequest& request, QString (*complete)(const QString&))
{
    const QString chosen = showFileDialog(request);
    if (chosen.isEmpty())
        return {};
    const QString path = complete(chosen);
    // Asked here, after the extension is settled, so the question names the file written.
    if (QFileInfo::exists(path)
        && !m_dialogs->askYesNo(tms::warningTitle(),
                                QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                    .arg(QFileInfo(path).fileName())))
        return {};
    return path;
}

void frm_main::writeOutput(const QString& path, const std::optional<QByteArray>& bytes)
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

void frm_main::cmd_to_clipboard_Click()
{
    copyToClipboard();
}

void frm_main::menu_paste_clipboard_Click()
{
    copyToClipboard();
}

void frm_main::copyToClipboard()
{
    convertShownPicture(); // without a method chosen, the picture is copied as shown
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setImage(pictureToHandOn());
    QCoreApplication::processEvents();
}

} // namespace dither
