// The imports and exports of the File menu. An import asks about unsaved changes
// (as Open does) once its file is chosen, reads into a copy and replaces the picture
// only when the file was accepted; the imported picture is unsaved work without a
// name. An export writes from a normalised copy of the picture, so the document never
// changes, and a failed write is told.
#include "easel_window.h"

#include "document_life.h"
#include "file_extension.h"
#include "grp_file.h"
#include "picture_decoding.h"
#include "picture_import.h"
#include "source_export.h"
#include "spectrum_file.h"
#include "timer_pause.h"
#include "user_dialogs.h"

namespace paint {

bool EaselWindow::importWith(ImportReader read, const QString& path)
{
    return m_life->importWith(QStringLiteral("Import"), path, [&] {
        Picture imported = m_doc.picture;
        if (const tms::FileResult loaded = read(path, imported); !loaded) {
            m_dialogs->tell(tms::warningTitle(), loaded.error);
            return false;
        }
        m_doc.picture = imported;
        dropFloatingBlock();
        showPicture();
        return true;
    });
}

void EaselWindow::onImportScrTriggered()
{
    const tms::TimerPause pause(paintingDelay, tick);
    // The dialog checked the file as SCR or MLT by its name's end; it is read the same way.
    if (const std::optional<PaintDialogChoice> chosen = runDialog(PaintDialog::ImportSCRFile))
        importWith(loadSpectrumFile, chosen->path);
}

void EaselWindow::onImportGrpTriggered()
{
    const tms::TimerPause pause(paintingDelay, tick);
    if (const std::optional<PaintDialogChoice> chosen = runDialog(PaintDialog::ImportGRPFile)) // checked by the dialog
        importWith(loadGrpFile, chosen->path);
}

bool EaselWindow::importPicture(const QString& path)
{
    return m_life->importWith(QStringLiteral("Import Picture"), path, [&] {
        Picture imported = m_doc.picture;
        const tms::DecodedPicture source = dither::decodePictureFile(this, path); // off the GUI thread
        if (source.cancelled)
            return false;
        if (const tms::FileResult converted = source.image
                                                  ? convertPictureFile(path, *source.image, m_importSettings, imported)
                                                  : tms::FileResult::failure(source.error);
            !converted) {
            m_dialogs->tell(tms::warningTitle(), converted.error);
            return false;
        }
        m_doc.picture = imported;
        dropFloatingBlock();
        showPicture();
        return true;
    });
}

void EaselWindow::onImportPictureTriggered()
{
    const tms::TimerPause pause(paintingDelay, tick);
    const dither::DecodedPictureReuse readOnce; // checked, previewed and imported
    const std::optional<PaintDialogChoice> file = runDialog(PaintDialog::ImportPictureFile);
    // The options' OK converts with the settings chosen; Cancel imports nothing.
    if (file && runDialog(PaintDialog::ImportPictureOptions, file->path))
        importPicture(file->path);
}

void EaselWindow::exportPicture(PaintDialog dialog,
                                const std::function<tms::FileResult(const PaintDialogChoice&)>& write)
{
    const tms::TimerPause pause(paintingDelay, tick);
    // A closed dialog leaves a file exported earlier alone.
    const std::optional<PaintDialogChoice> chosen = runDialog(dialog);
    if (!chosen)
        return;
    if (const tms::FileResult written = write(*chosen); !written)
        m_dialogs->tell(tms::warningTitle(), written.error);
    else
        m_life->tellWritten(chosen->path);
}

namespace {

SourceOptions sourceOptionsOf(const tms::ExportFormat& format)
{
    SourceOptions options;
    options.compression = format.compression;
    options.style = format.style;
    options.syntax = format.syntax;
    return options;
}

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

void EaselWindow::onExportCTriggered()
{
    exportPicture(PaintDialog::Export2C, [this](const PaintDialogChoice& choice) {
        return exportC(choice.path, m_doc.picture, askTableName(*m_dialogs), sourceOptionsOf(choice.exportFormat));
    });
}

void EaselWindow::onExportAsmTriggered()
{
    exportPicture(PaintDialog::Export2ASM, [this](const PaintDialogChoice& choice) {
        return exportASM(choice.path, m_doc.picture, askTableName(*m_dialogs), sourceOptionsOf(choice.exportFormat));
    });
}

void EaselWindow::onExportGrpTriggered()
{
    exportPicture(PaintDialog::Export2GRP,
                  [this](const PaintDialogChoice& choice) { return saveGRPFile(choice.path, m_doc.picture); });
}

// The file chosen names the pattern table (PREFIX.pat); the other tables go beside it.
void EaselWindow::onExportBinTriggered()
{
    exportPicture(PaintDialog::Export2BIN, [this](const PaintDialogChoice& choice) {
        QString prefix = choice.path;
        if (tms::hasExtension(prefix, QStringLiteral(".pat")))
            prefix.chop(4);
        return tms::batch::commitAll(binaryExportFiles(prefix, m_doc.picture, choice.exportFormat.compression));
    });
}

} // namespace paint
