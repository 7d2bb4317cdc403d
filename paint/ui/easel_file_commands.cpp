// The File menu of the paint program: what its document life needs to know (the
// picture dialogs, reading and writing .pp files, emptying the picture), and Open
// Recent and dropped files, which open a .pp file or import the others. The life of
// the document itself is in common/ui/.
#include "easel_window.h"

#include "document_life.h"
#include "file_extension.h"
#include "grp_file.h"
#include "pp_file.h"
#include "pp_file_dialogs.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "spectrum_file.h"
#include "timer_pause.h"
#include "user_dialogs.h"

#include <QFileInfo>

namespace paint {

// What differs in the paint program's document life.
class EaselWindow::DocumentSide final : public tms::EditorDocument {
public:
    explicit DocumentSide(EaselWindow& window) : m_window(window), m_doc(window.m_doc) {}

    bool isModified() const override { return m_doc.modified; }
    void setModified(bool modified) override { m_doc.modified = modified; }
    QString fileName() const override { return m_doc.fileName; }
    void setFileName(const QString& path) override
    {
        m_doc.fileName = path;
        if (!path.isEmpty())
            m_window.m_lastPicturePath = path;
    }
    std::optional<QString> chooseFileToOpen() override
    {
        const std::optional<PaintDialogChoice> chosen = m_window.runDialog(PaintDialog::OpenPicture);
        return chosen ? std::optional<QString>(chosen->path) : std::nullopt;
    }
    std::optional<QString> chooseFileToSave() override
    {
        const std::optional<PaintDialogChoice> chosen = m_window.runDialog(PaintDialog::SaveAsPicture);
        if (!chosen)
            return std::nullopt;
        // A confirmed dialog chooses the size of the next writes, also with the picture's own name.
        m_doc.fullScreenFile = chosen->fullScreen;
        return chosen->path;
    }
    QString refusalOf(const QString& path) override { return checkPowerPaintLength(path); }
    bool readFile(const QString& path) override
    {
        bool fullScreen = false;
        const tms::FileResult result = paint::loadPowerPaintFile(path, m_doc.picture, fullScreen);
        if (!result) {
            // The refusal names the file: the command line may have named it unseen.
            m_window.m_dialogs->tell(tms::warningTitle(), tms::namingPath(result.error, path));
            return false;
        }
        m_doc.fullScreenFile = fullScreen;
        m_window.dropFloatingBlock();
        m_window.showPicture();
        return true;
    }
    tms::FileResult writeFile(const QString& path) override
    {
        m_leftOut = false;
        if (!m_window.confirmTenKSave(m_leftOut))
            return {false, QString()}; // cancelled: nothing to tell
        return savePowerPaintFile(path, m_doc.picture, m_doc.fullScreenFile);
    }
    QString reportOfWrite(const QString& path) override
    {
        const QString written = tms::writtenFileMessage(path);
        return m_leftOut ? written + QStringLiteral("; the part outside 240 x 160 pixels was left out") : written;
    }
    void emptyDocument() override
    {
        paint::clearPicture(m_doc.picture);
        m_window.dropFloatingBlock();
        m_window.showPicture();
    }

private:
    EaselWindow& m_window;
    PaintDocument& m_doc;
    bool m_leftOut = false; // the last 10K write left part of the picture out
};

void EaselWindow::connectDocumentLife(QMenu* fileMenu, QAction* openItem)
{
    m_documentSide = std::make_shared<DocumentSide>(*this);
    m_life = new tms::DocumentLife(*this, *m_documentSide, *m_dialogs, undo(), QStringLiteral("Mosaic Easel"));
    m_life->addRecentFilesMenu(fileMenu, openItem, [this](const QString& path) { openFile(path); });
    m_life->acceptDrops({QStringLiteral(".pp"), QStringLiteral(".scr"), QStringLiteral(".mlt"), QStringLiteral(".grp"),
                         QStringLiteral(".sc2")},
                        [this](const QString& path) { openFile(path); });
}

tms::RecentFiles* EaselWindow::recentFiles() const
{
    return m_life->recentFiles();
}

bool EaselWindow::confirmTenKSave(bool& leftOut)
{
    leftOut = false;
    if (m_doc.fullScreenFile || !drawsOutsideTenK(m_doc.picture))
        return true;
    switch (m_dialogs->askYesNoCancel(
        tms::warningTitle(), QStringLiteral("Part of the picture lies outside the 240 x 160 pixels that a 10K file "
                                            "holds.\nSave it as FullScreen 40K instead?"))) {
    case tms::Answer::Yes: m_doc.fullScreenFile = true; return true;
    case tms::Answer::No: leftOut = true; return true;
    case tms::Answer::Cancel: break;
    }
    return false;
}

void EaselWindow::clearPicture()
{
    paint::clearPicture(m_doc.picture);
    undo().clear();
    m_doc.modified = false;
    m_doc.fileName.clear();
}

bool EaselWindow::loadPowerPaintFile(const QString& path)
{
    return m_life->load(path);
}

void EaselWindow::onNewTriggered()
{
    gridShown = false;
    if (!onCloseTriggered())
        showPicture(); // the kept picture, now without the grid
}

void EaselWindow::onOpenTriggered()
{
    const tms::TimerPause pause(paintingDelay, tick);
    m_life->open();
}

void EaselWindow::openFile(const QString& path)
{
    const bool pp = tms::hasExtension(path, QStringLiteral(".pp"));
    const bool sc2 = tms::hasExtension(path, QStringLiteral(".sc2"));
    const bool grp = tms::hasExtension(path, QStringLiteral(".grp")) || sc2;
    const bool scr = tms::hasExtension(path, QStringLiteral(".scr"));
    if (!pp && !grp && !scr && !tms::hasExtension(path, QStringLiteral(".mlt")))
        return;
    const tms::TimerPause pause(paintingDelay, tick);
    if (pp) {
        m_life->openFile(path);
        return;
    }
    // The check of the import dialog, then the question of the import.
    const QString refusal = sc2 ? checkSC2File(path) : grp ? checkGRPFile(path) : checkSpectrumFile(path);
    if (!refusal.isEmpty()) {
        m_dialogs->tell(tms::warningTitle(), refusal);
        return;
    }
    m_lastPicturePath = path;
    importWith(sc2 ? loadSc2File : grp ? loadGrpFile : loadSpectrumFile, path);
}

bool EaselWindow::onSaveTriggered()
{
    bool saved = false;
    tms::withTimerPaused(paintingDelay, tick, [&] { saved = m_life->save(); });
    return saved;
}

bool EaselWindow::onSaveAsTriggered()
{
    bool saved = false;
    tms::withTimerPaused(paintingDelay, tick, [&] { saved = m_life->saveAs(); });
    return saved;
}

bool EaselWindow::onCloseTriggered()
{
    bool closed = false;
    tms::withTimerPaused(paintingDelay, tick, [&] { closed = m_life->close(); });
    if (closed)
        showPicture();
    return closed;
}

void EaselWindow::onQuitTriggered()
{
    m_life->quit();
}

} // namespace paint
