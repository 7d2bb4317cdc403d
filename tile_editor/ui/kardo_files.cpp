// File menu work of the tile editor: what its document life needs to know (the
// project dialogs, reading and writing .dat files, emptying the document), and the
// exports. The file formats live in io/; the life of the document in common/ui/.
#include "kardo_window.h"

#include "asm_export.h"
#include "binary_export.h"
#include "c_export.h"
#include "document_life.h"
#include "file_extension.h"
#include "project_file.h"
#include "qt_user_dialogs.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "tile_file_dialogs.h"
#include "timer_pause.h"
#include "user_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

namespace tile {

// What differs in the tile editor's document life.
class KardoWindow::DocumentSide final : public tms::EditorDocument {
public:
    explicit DocumentSide(KardoWindow& window) : m_window(window) {}

    bool isModified() const override { return m_window.m_doc.modified; }
    void setModified(bool modified) override { m_window.m_doc.modified = modified; }
    QString fileName() const override { return m_window.m_doc.fileName; }
    void setFileName(const QString& path) override
    {
        m_window.m_doc.fileName = path;
        rememberFolder(FileDialogKind::OpenDAT, path);
    }
    std::optional<QString> chooseFileToOpen() override { return m_window.choosePath(FileDialogKind::OpenDAT); }
    std::optional<QString> chooseFileToSave() override { return m_window.choosePath(FileDialogKind::SaveAsDAT); }
    QString refusalOf(const QString& path) override { return fileDialogSetup(FileDialogKind::OpenDAT).check(path); }
    bool readFile(const QString& path) override
    {
        const ProjectLoad load = loadProjectFile(path, m_window.m_doc);
        if (load.outcome == ProjectLoad::Outcome::Refused) {
            m_window.dialogs().tell(tms::warningTitle(), load.message);
            return false;
        }
        m_window.cmd_Refresh_Click();
        if (!load.ok()) // read as far as it goes; say what is missing
            m_window.dialogs().tell(tms::warningTitle(), load.message);
        return true;
    }
    tms::FileResult writeFile(const QString& path) override { return writeProjectFile(path, m_window.m_doc); }
    void emptyDocument() override
    {
        m_window.m_doc.ResetTables();
        m_window.cmd_Refresh_Click();
        m_window.cmd_paste_car->setEnabled(false);
        m_window.cmd_paste_pattern->setEnabled(false);
    }

private:
    KardoWindow& m_window;
};

void KardoWindow::connectFileMenu()
{
    m_documentSide = std::make_shared<DocumentSide>(*this);
    m_life = new tms::DocumentLife(*this, *m_documentSide, dialogs(), undo(), QStringLiteral("KARDO"));
    m_life->addRecentFilesMenu(Fichier, Ouvrir, [this](const QString& path) { openProjectFile(path); });
    // A dropped picture is imported as tiles, a dropped project opened.
    m_life->acceptDrops({QStringLiteral(".dat"), QStringLiteral(".png"), QStringLiteral(".bmp"), QStringLiteral(".gif"),
                         QStringLiteral(".jpg"), QStringLiteral(".jpeg")},
                        [this](const QString& path) {
                            if (dither::isPictureFileName(path))
                                importPictureFile(path);
                            else
                                openProjectFile(path);
                        });
    // The click that closes a menu, on an item or beside it, must not paint.
    for (QMenu* menu : {Fichier, Edit, Polices})
        tms::pauseWhileOpen(menu, *Timer1, m_editing.tick);
}

tms::DocumentLife& KardoWindow::documentLife()
{
    return *m_life;
}

tms::RecentFiles* KardoWindow::recentFiles() const
{
    return m_life->recentFiles();
}

std::optional<FileChoice> KardoWindow::runFileDialog(FileDialogKind kind)
{
    std::optional<FileChoice> choice = m_runFileDialog ? m_runFileDialog(kind)
                                                       : showFileDialog(kind, m_cExportRows, dialogs(), this);
    if (choice && choice->path.isEmpty())
        choice.reset();
    if (choice)
        rememberFolder(kind, choice->path);
    return choice;
}

std::optional<QString> KardoWindow::choosePath(FileDialogKind kind)
{
    if (const std::optional<FileChoice> choice = runFileDialog(kind))
        return choice->path;
    return std::nullopt;
}

void KardoWindow::loadCommandLineFile(const QString& path)
{
    m_life->load(path);
}

void KardoWindow::Nouveau_Click()
{
    Fermer_Click();
}

bool KardoWindow::Fermer_Click()
{
    return m_life->close();
}

void KardoWindow::Quitter_Click()
{
    m_life->quit();
}

void KardoWindow::Ouvrir_Click()
{
    // The click that closes the dialog or the question must not paint.
    withTimerPaused([this] { m_life->open(); });
}

void KardoWindow::openProjectFile(const QString& path)
{
    withTimerPaused([&] { m_life->openFile(path); });
}

bool KardoWindow::Sauver_Click()
{
    bool saved = false;
    withTimerPaused([&] { saved = m_life->save(); });
    return saved;
}

bool KardoWindow::SauverSous_Click()
{
    bool saved = false;
    withTimerPaused([&] { saved = m_life->saveAs(); });
    return saved;
}

bool KardoWindow::Form_Terminate()
{
    return m_life->mayEndWindow(tms::endOfWindowPrompt(
        isModeOne() ? QStringLiteral("Do you want to save you works?") : QStringLiteral("Do you want to save you work?")));
}

void KardoWindow::tellWritten(const tms::FileResult& written, const QString& path)
{
    if (written)
        m_life->tellWritten(path);
    else
        dialogs().tell(tms::warningTitle(), written.error);
}

void KardoWindow::ExporterC_Click()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportC); });
    if (!choice)
        return;
    m_cExportRows = choice->cExport;
    tellWritten(writeCExport(choice->path, m_doc, choice->cExport), choice->path);
}

void KardoWindow::ExporterASM_Click()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportASM); });
    if (choice)
        tellWritten(writeAsmExport(choice->path, m_doc, choice->asmExport), choice->path);
}

// The file chosen names the pattern table (PREFIX.pat); the other tables go beside it.
void KardoWindow::ExporterBIN_Click()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportBIN); });
    if (!choice)
        return;
    QString prefix = choice->path;
    if (tms::hasExtension(prefix, QStringLiteral(".pat")))
        prefix.chop(4);
    tellWritten(tms::batch::commitAll(binaryExportFiles(prefix, m_doc, choice->binaryCompression)), choice->path);
}

} // namespace tile
