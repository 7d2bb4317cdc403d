// The File menu of the paint program: New, Open, Save, Save As, Close and Quit.
// A picture is discarded only once the user agreed or it was saved; a load that is
// refused and a write that fails leave the picture as it was and are told.
#include "mosaic_easel_main.h"

#include "close_flow.h"
#include "grp_file.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "spectrum_file.h"
#include "timer_pause.h"
#include "user_dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace paint {

namespace {

bool samePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a == b;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

void Mosaic_Easel_Main::ClearPicture()
{
    paint::ClearPicture(picture);
    undo().clear();
    modified = false;
    fileName.clear();
}

bool Mosaic_Easel_Main::ChargePPFile(const QString& path)
{
    bool fullScreen = false;
    const tms::FileResult result = paint::ChargePPFile(path, picture, fullScreen);
    if (!result) {
        // The refusal names the file: the command line may have named it unseen.
        m_dialogs->tell(tms::warningTitle(), tms::namingPath(result.error, path));
        return false;
    }
    fullScreenFile = fullScreen;
    undo().clear();
    modified = false;
    ShowPicture();
    fileName = path;
    m_lastPicturePath = path;
    refreshCleanCopy();
    updateCaption();
    m_recentFiles->add(path);
    return true;
}

bool Mosaic_Easel_Main::saveForPrompt()
{
    Sauver_Click();
    return !modified; // Yes means "keep my work": if nothing was saved, nothing is discarded
}

bool Mosaic_Easel_Main::mayDiscardPicture()
{
    return tms::mayDiscardWork(*m_dialogs, modified, tms::closingPrompt(), [this] { return saveForPrompt(); });
}

void Mosaic_Easel_Main::Nouveau_Click()
{
    gridShown = false;
    if (!Fermer_Click()) {
        ShowPicture(); // the kept picture, now without the grid
        return;
    }
    refreshCleanCopy();
}

void Mosaic_Easel_Main::Ouvrir_Click()
{
    const tms::TimerPause pause(Timer1, tick);
    // Asked before the dialog, so that the question comes before any choice of file.
    if (mayDiscardPicture()) {
        // A closed dialog leaves the picture and its unsaved changes alone.
        const std::optional<PaintDialogChoice> chosen = runDialog(PaintDialog::OpenPicture);
        if (chosen && chosen->path.toLower().contains(QStringLiteral(".pp")))
            ChargePPFile(chosen->path);
    }
}

void Mosaic_Easel_Main::openFile(const QString& path)
{
    const QString lower = path.toLower();
    const bool pp = lower.endsWith(QStringLiteral(".pp"));
    const bool grp = lower.endsWith(QStringLiteral(".grp"));
    const bool scr = lower.endsWith(QStringLiteral(".scr"));
    if (!pp && !grp && !scr && !lower.endsWith(QStringLiteral(".mlt")))
        return;
    const tms::TimerPause pause(Timer1, tick);
    // The check of the Open or import dialog, then the question of those commands.
    const QString refusal = pp ? checkPowerPaintLength(path) : grp ? checkGRPFile(path) : checkSpectrumFile(path);
    if (!refusal.isEmpty()) {
        m_dialogs->tell(tms::warningTitle(), refusal);
        return;
    }
    if (!mayDiscardPicture())
        return;
    m_lastPicturePath = path;
    if (!pp) {
        importWith(grp ? ChargeGRPFile : ChargeSpectrumFile, path);
        return;
    }
    ChargePPFile(path);
}

void Mosaic_Easel_Main::Sauver_Click()
{
    if (!modified)
        return;
    if (fileName.isEmpty()) {
        SauverSous_Click();
        return;
    }
    const tms::FileResult result = savePPFile(fileName, picture, fullScreenFile);
    if (!result) {
        m_dialogs->tell(tms::warningTitle(), result.error);
        return;
    }
    modified = false;
    undo().markSaved();
}

void Mosaic_Easel_Main::SauverSous_Click()
{
    std::optional<PaintDialogChoice> chosen;
    tms::withTimerPaused(Timer1, tick, [&] { chosen = runDialog(PaintDialog::SaveAsPicture); });
    if (chosen) // a confirmed dialog chooses the size of the next writes, whatever the name
        fullScreenFile = chosen->fullScreen;
    if (!chosen || samePath(chosen->path, fileName)) {
        m_dialogs->tell(tms::warningTitle(), QStringLiteral("To save your work just select Save item in File menu"));
        return;
    }
    const QString previousName = fileName;
    const bool previouslyModified = modified;
    fileName = chosen->path;
    modified = true;
    Sauver_Click();
    if (modified) { // the write failed and was told: the picture keeps its old name
        fileName = previousName;
        modified = previouslyModified;
        return;
    }
    updateCaption();
    m_recentFiles->add(fileName);
}

bool Mosaic_Easel_Main::Fermer_Click()
{
    if (!mayDiscardPicture())
        return false;
    ClearPicture();
    updateCaption();
    ShowPicture();
    return true;
}

void Mosaic_Easel_Main::Quitter_Click()
{
    if (!Fermer_Click())
        return;
    m_quitting = true;
    close();
}

} // namespace paint
