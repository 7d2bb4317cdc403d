// File menu work of the tile editor: what its document life needs to know (the
// project dialogs, reading and writing .dat files, emptying the document), and the
// exports. The file formats live in io/; the life of the document in common/ui/.
#include "tile_editor_window.h"

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
class TileEditorWindow::DocumentSide final : public tms::EditorDocument {
public:
    explicit DocumentSide(TileEditorWindow& window) : m_window(window) {}

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
        m_window.onRefreshClicked();
        if (!load.ok()) // read as far as it goes; say what is missing
            m_window.dialogs().tell(tms::warningTitle(), load.message);
        return true;
    }
    tms::FileResult writeFile(const QString& path) override { return writeProjectFile(path, m_window.m_doc); }
    void emptyDocument() override
    {
        m_window.m_doc.resetTables();
        m_window.onRefreshClicked();
        m_window.m_charPasteButton->setEnabled(false);
        m_window.m_patternPasteButton->setEnabled(false);
    }

private:
    TileEditorWindow& m_window;
};

void TileEditorWindow::connectFileMenu()
{
    m_documentSide = std::make_shared<DocumentSide>(*this);
    m_life = new tms::DocumentLife(*this, *m_documentSide, dialogs(), undo(), QStringLiteral("KARDO"));
    m_life->addRecentFilesMenu(m_fileMenu, m_openAction, [this](const QString& path) { openProjectFile(path); });
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
    for (QMenu* menu : {m_fileMenu, m_editMenu, m_fontsMenu})
        tms::pauseWhileOpen(menu, *m_paintTimer, m_editing.tick);
}

tms::DocumentLife& TileEditorWindow::documentLife()
{
    return *m_life;
}

tms::RecentFiles* TileEditorWindow::recentFiles() const
{
    return m_life->recentFiles();
}

std::optional<FileChoice> TileEditorWindow::runFileDialog(FileDialogKind kind)
{
    std::optional<FileChoice> choice =
        m_runFileDialog ? m_runFileDialog(kind) : showFileDialog(kind, m_cExportRows, dialogs(), this);
    if (choice && choice->path.isEmpty())
        choice.reset();
    if (choice)
        rememberFolder(kind, choice->path);
    return choice;
}

std::optional<QString> TileEditorWindow::choosePath(FileDialogKind kind)
{
    if (const std::optional<FileChoice> choice = runFileDialog(kind))
        return choice->path;
    return std::nullopt;
}

void TileEditorWindow::loadCommandLineFile(const QString& path)
{
    m_life->load(path);
}

void TileEditorWindow::onNewTriggered()
{
    onCloseTriggered();
}

bool TileEditorWindow::onCloseTriggered()
{
    return m_life->close();
}

void TileEditorWindow::onQuitTriggered()
{
    m_life->quit();
}

void TileEditorWindow::onOpenTriggered()
{
    // The click that closes the dialog or the question must not paint.
    withTimerPaused([this] { m_life->open(); });
}

void TileEditorWindow::openProjectFile(const QString& path)
{
    withTimerPaused([&] { m_life->openFile(path); });
}

bool TileEditorWindow::onSaveTriggered()
{
    bool saved = false;
    withTimerPaused([&] { saved = m_life->save(); });
    return saved;
}

bool TileEditorWindow::onSaveAsTriggered()
{
    bool saved = false;
    withTimerPaused([&] { saved = m_life->saveAs(); });
    return saved;
}

bool TileEditorWindow::confirmClose()
{
    return m_life->mayEndWindow(tms::endOfWindowPrompt(QString::fromLatin1(traits().unsavedWorkQuestion)));
}

void TileEditorWindow::tellWritten(const tms::FileResult& written, const QString& path)
{
    if (written)
        m_life->tellWritten(path);
    else
        dialogs().tell(tms::warningTitle(), written.error);
}

void TileEditorWindow::onExportCTriggered()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportC); });
    if (!choice)
        return;
    m_cExportRows = choice->cExport;
    tellWritten(writeCExport(choice->path, m_doc, choice->cExport), choice->path);
}

void TileEditorWindow::onExportAsmTriggered()
{
    std::optional<FileChoice> choice;
    withTimerPaused([&] { choice = runFileDialog(FileDialogKind::ExportASM); });
    if (choice)
        tellWritten(writeAsmExport(choice->path, m_doc, choice->asmExport), choice->path);
}

// The file chosen names the pattern table (PREFIX.pat); the other tables go beside it.
void TileEditorWindow::onExportTablesTriggered()
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
