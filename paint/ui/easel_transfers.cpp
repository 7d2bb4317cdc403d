// The imports and exports of the File menu. An import asks first about unsaved
// changes (as Open does), reads into a copy and replaces the picture only when the
// file was accepted; an export writes from a normalised copy of the picture, so the
// picture, modified and fileName never change, and a failed write is told.
#include "mosaic_easel_main.h"

#include "grp_file.h"
#include "lien.h"
#include "picture_import.h"
#include "recent_files.h"
#include "source_export.h"
#include "timer_pause.h"
#include "spectrum_file.h"
#include "timer_pause.h"
#include "user_dialogs.h"

namespace paint {

void Mosaic_Easel_Main::adoptImportedPicture(const Picture& imported)
{
    recordStep(QStringLiteral("Import"), [&] {
        picture = imported;
        modified = false;
    });
    fileName.clear();
    updateCaption();
    ShowPicture();
}

void Mosaic_Easel_Main::importWith(ImportReader read, const QString& path)
{
    Picture imported = picture;
    const tms::FileResult loaded = read(path, imported);
    if (!loaded) {
        m_dialogs->tell(tms::warningTitle(), loaded.error);
        return;
    }
    adoptImportedPicture(imported);
    if (m_recentFiles)
        m_recentFiles->add(path);
}

void Mosaic_Easel_Main::ImporterSCR_Click()
{
    const tms::TimerPause pause(Timer1, tick);
    if (mayDiscardPicture()) {
        LIEN::setImportPath(QString());
        showDialog(PaintDialog::ImportSCRFile);
        // The dialog checked the file as SCR or MLT by its name's end; it is read the same way.
        if (!LIEN::importPath().isEmpty())
            importWith(ChargeSpectrumFile, LIEN::importPath());
    }
}

void Mosaic_Easel_Main::ImporterGRP_Click()
{
    const tms::TimerPause pause(Timer1, tick);
    if (mayDiscardPicture()) {
        LIEN::setImportPath(QString());
        showDialog(PaintDialog::ImportGRPFile);
        if (!LIEN::importPath().isEmpty()) // checked by the dialog
            importWith(ChargeGRPFile, LIEN::importPath());
    }
}

bool Mosaic_Easel_Main::importPicture(const QString& path)
{
    Picture imported = picture;
    const tms::FileResult converted = importPictureFile(path, LIEN::pictureImportSettings(), imported);
    if (!converted) {
        m_dialogs->tell(tms::warningTitle(), converted.error);
        return false;
    }
    adoptImportedPicture(imported);
    return true;
}

void Mosaic_Easel_Main::ImporterPicture_Click()
{
    const tms::TimerPause pause(Timer1, tick);
    if (mayDiscardPicture()) {
        LIEN::setImportPath(QString());
        showDialog(PaintDialog::ImportPictureFile);
        if (!LIEN::importPath().isEmpty())
            showDialog(PaintDialog::ImportPictureOptions); // empties the import path when cancelled
        if (!LIEN::importPath().isEmpty())
            importPicture(LIEN::importPath());
    }
}

void Mosaic_Easel_Main::exportPicture(PaintDialog dialog, const std::function<QString()>& chosenPath,
                                      const std::function<tms::FileResult(const QString&)>& write)
{
    const tms::TimerPause pause(Timer1, tick);
    const int writesBefore = LIEN::exportPathWrites();
    showDialog(dialog);
    const QString path = chosenPath();
    // Only a choice confirmed in this showing writes: a closed dialog leaves a file
    // exported earlier alone.
    if (LIEN::exportPathWrites() != writesBefore && !path.isEmpty()) {
        if (const tms::FileResult written = write(path); !written)
            m_dialogs->tell(tms::warningTitle(), written.error);
    }
}

namespace {

// A name that cannot name the tables in C and assembler is told and asked again; an
// empty answer or Cancel takes the default.
QString askTableName(tms::UserDialogs& dialogs)
{
    for (;;) {
        const QString name = tableNameOrDefault(
            dialogs.askText(QStringLiteral("Picture table name"), QStringLiteral("table name"), defaultTableName()));
        const QString refusal = tableNameRefusal(name);
        if (refusal.isEmpty())
            return name;
        dialogs.tell(tms::warningTitle(), refusal);
    }
}

} // namespace

void Mosaic_Easel_Main::ExporterC_Click()
{
    exportPicture(PaintDialog::Export2C, LIEN::cExportPath,
                  [this](const QString& path) { return exportC(path, picture, askTableName(*m_dialogs)); });
}

void Mosaic_Easel_Main::ExporterASM_Click()
{
    exportPicture(PaintDialog::Export2ASM, LIEN::asmExportPath,
                  [this](const QString& path) { return exportASM(path, picture, askTableName(*m_dialogs)); });
}

void Mosaic_Easel_Main::ExporterGRP_Click()
{
    exportPicture(PaintDialog::Export2GRP, LIEN::grpExportPath,
                  [this](const QString& path) { return saveGRPFile(path, picture); });
}

} // namespace paint
