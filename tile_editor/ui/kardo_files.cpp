// File menu work of the tile editor: open, save, save as and the exports. The file
// formats live in io/; this file only asks, chooses and tells.
#include "kardo_window.h"

#include "asm_export.h"
#include "c_export.h"
#include "file_drop.h"
#include "project_file.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "tile_file_dialogs.h"
#include "user_dialogs.h"
#include "window_aids.h"

#include <QAction>

namespace tile {

namespace {

bool namesAProject(const QString& path) { return path.toLower().contains(QStringLiteral(".dat")); }

} // namespace

void KardoWindow::connectFileMenu()
{
    tms::setStandardFileShortcuts(Fichier);
    m_recentFiles = new tms::RecentFiles(Fichier, Ouvrir, [this](const QString& path) { openProjectFile(path); });
    // A dropped picture is imported as tiles, a dropped project opened.
    tms::acceptFileDrops(this,
                         {QStringLiteral(".dat"), QStringLiteral(".png"), QStringLiteral(".bmp"), QStringLiteral(".gif"),
                          QStringLiteral(".jpg"), QStringLiteral(".jpeg")},
                         [this](const QString& path) {
                             if (dither::isPictureFileName(path))
                                 importPictureFile(path);
                             else
                                 openProjectFile(path);
                         });
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

void KardoWindow::setCaptionForFile()
{
    setWindowTitle(m_doc.fileName.isEmpty() ? QStringLiteral("KARDO") : QStringLiteral("KARDO - ") + m_doc.fileName);
}

bool KardoWindow::loadProjectFrom(const QString& path)
{
    const ProjectLoad load = loadProjectFile(path, m_doc);
    if (load.outcome == ProjectLoad::Outcome::Refused) {
        dialogs().tell(tms::warningTitle(), load.message);
        return false;
    }
    undo().clear();
    m_doc.fileName = path;
    rememberFolder(FileDialogKind::OpenDAT, path);
    setCaptionForFile();
    if (m_recentFiles)
        m_recentFiles->add(path);
    cmd_Refresh_Click();
    if (!load.ok()) // read as far as it goes; say what is missing
        dialogs().tell(tms::warningTitle(), load.message);
    return true;
}

void KardoWindow::loadCommandLineFile(const QString& path)
{
    rememberFolder(FileDialogKind::OpenDAT, path);
    loadProjectFrom(path);
}

void KardoWindow::Ouvrir_Click()
{
    // The click that closes the dialog or the question must not paint.
    withTimerPaused([this] { openProject(); });
}

void KardoWindow::openProjectFile(const QString& path)
{
    withTimerPaused([&] {
        // The Open dialog's check, then Open's question.
        if (const QString refusal = fileDialogSetup(FileDialogKind::OpenDAT).check(path); !refusal.isEmpty()) {
            dialogs().tell(tms::warningTitle(), refusal);
            return;
        }
        if (mayDiscardWork())
            loadProjectFrom(path);
    });
}

void KardoWindow::openProject()
{
    // Closing the dialog without a choice changes nothing: the document, its name and
    // its unsaved work stay as they were.
    const std::optional<QString> chosen = choosePath(FileDialogKind::OpenDAT);
    if (!chosen || !namesAProject(*chosen))
        return;
    // Opening replaces the work: first the question of Close.
    if (!mayDiscardWork())
        return; // the work was to be saved and was not: keep it
    loadProjectFrom(*chosen);
}

bool KardoWindow::writeProjectTo(const QString& path)
{
    const tms::FileResult written = writeProjectFile(path, m_doc);
    if (!written.ok) {
        dialogs().tell(tms::warningTitle(), written.error);
        return false;
    }
    m_doc.modified = false;
    undo().markSaved();
    return true;
}

bool KardoWindow::Sauver_Click()
{
    // Save writes only a modified document; one without a name goes through Save As.
    if (!m_doc.modified)
        return false;
    if (m_doc.fileName.isEmpty())
        return SauverSous_Click();
    return writeProjectTo(m_doc.fileName);
}

bool KardoWindow::SauverSous_Click()
{
    std::optional<QString> chosen;
    withTimerPaused([&] { chosen = choosePath(FileDialogKind::SaveAsDAT); });
    if (!chosen || *chosen == m_doc.fileName) {
        dialogs().tell(tms::warningTitle(), QStringLiteral("To save your work just select Save item in File menu"));
        return false;
    }
    if (!writeProjectTo(*chosen))
        return false; // the document keeps its old name
    m_doc.fileName = *chosen;
    setCaptionForFile();
    m_recentFiles->add(*chosen);
    return true;
}

bool KardoWindow::saveForPrompt()
{
    return Sauver_Click() || !m_doc.modified;
}

void KardoWindow::ExporterC_Click()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportC); });
    if (!choice)
        return;
    m_cExportRows = choice->cExport;
    const tms::FileResult written = writeCExport(choice->path, m_doc, choice->cExport);
    if (!written.ok)
        dialogs().tell(tms::warningTitle(), written.error);
}

void KardoWindow::ExporterASM_Click()
{
    std::optional<QString> path;
    withTimerPaused([&] { path = choosePath(FileDialogKind::ExportASM); });
    if (!path)
        return;
    const tms::FileResult written = writeAsmExport(*path, m_doc);
    if (!written.ok)
        dialogs().tell(tms::warningTitle(), written.error);
}

} // namespace tile
