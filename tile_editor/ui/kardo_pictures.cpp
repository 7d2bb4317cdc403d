// Pictures in and out of the tile editor: a picture imported as tiles with a live
// preview, the character and sprite sheets read and written as PNG, and the screen
// written as PNG. The work is in io/ (picture_tiles, tile_sheets); this file asks,
// chooses and tells.
#include "kardo_window.h"

#include "atomic_file.h"
#include "document_life.h"
#include "image_bytes.h"
#include "picture_file.h"
#include "picture_import_dialog.h"
#include "picture_tiles.h"
#include "tile_file_dialogs.h"
#include "tile_sheets.h"
#include "user_dialogs.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace tile {

namespace {

// What Import Picture's dialog shows: the screen as the characters will draw it, twice
// its size, and how many cells, merges and changed pixels that takes.
dither::Previewer tilesPreview(const QImage& picture, Edition edition)
{
    return [picture, edition](const dither::PictureImportSettings& settings) -> dither::PicturePreview {
        const std::optional<PictureTiles> converted = pictureToTiles(picture, settings, edition);
        if (!converted)
            return {false, {}, dither::selectMoreColors};
        TileDocument preview(edition);
        applyTiles(preview, converted->tiles);
        return {true, screenPicture(preview).scaled(2 * tms::screenWidth, 2 * tms::screenHeight),
                tilesSummary(converted->tiles)};
    };
}

} // namespace

void KardoWindow::buildPictureMenus()
{
    auto item = [this](QMenu* menu, const char* name, const char* caption, void (KardoWindow::*handler)()) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    Fichier->addSeparator();
    ImporterPicture = item(Fichier, "ImporterPicture", "Import P&icture...", &KardoWindow::ImporterPicture_Click);
    ImporterTileset = item(Fichier, "ImporterTileset", "Import &Tile Sheet...", &KardoWindow::ImporterTileset_Click);
    ImporterSprites = item(Fichier, "ImporterSprites", "Import Sp&rite Sheet...", &KardoWindow::ImporterSprites_Click);
    ExporterTileset = item(Fichier, "ExporterTileset", "Export Tile S&heet as PNG...",
                           &KardoWindow::ExporterTileset_Click);
    ExporterSprites = item(Fichier, "ExporterSprites", "Export Sprite Sheet as P&NG...",
                           &KardoWindow::ExporterSprites_Click);
    ExporterPNG = item(Fichier, "ExporterPNG", "Export Screen as PN&G...", &KardoWindow::ExporterPNG_Click);

    // The sprite sheet's commands also sit with the sprites.
    Sprites = menuBar()->addMenu(QStringLiteral("S&prites"));
    Sprites->setObjectName(QStringLiteral("Sprites"));
    Sprites->addAction(ImporterSprites);
    Sprites->addAction(ExporterSprites);
}

void KardoWindow::ImporterPicture_Click()
{
    std::optional<QString> path;
    withTimerPaused([&] { path = choosePath(FileDialogKind::ImportPicture); });
    if (path)
        importPictureFile(*path);
}

void KardoWindow::importPictureFile(const QString& path)
{
    withTimerPaused([&] {
        QString error;
        const std::optional<QImage> picture = dither::readPicture(path, &error);
        if (!picture) {
            dialogs().tell(tms::warningTitle(), error);
            return;
        }
        dither::PictureImportDialog dialog(m_pictureSettings, tilesPreview(*picture, m_doc.edition), this);
        std::optional<dither::PictureImportSettings> chosen;
        if (m_runPictureImport)
            chosen = m_runPictureImport(dialog);
        else if (dialog.exec() == QDialog::Accepted)
            chosen = dialog.settings();
        if (!chosen)
            return; // Cancel: nothing changes
        m_pictureSettings = *chosen;
        const std::optional<PictureTiles> converted = pictureToTiles(*picture, *chosen, m_doc.edition);
        if (!converted) {
            dialogs().tell(tms::warningTitle(), dither::selectMoreColors);
            return;
        }
        // The picture replaces the document, as Open does: first the question, then
        // one undo step; the new document is unsaved work without a name.
        m_life->importWith(QStringLiteral("Import Picture"), QString(), [&] {
            m_doc.ResetTables();
            applyTiles(m_doc, converted->tiles);
            cmd_Refresh_Click();
            return true;
        });
    });
}

void KardoWindow::importSheet(FileDialogKind kind, const QString& stepText,
                              QString (*read)(const QString&, TileDocument&))
{
    std::optional<QString> path;
    withTimerPaused([&] { path = choosePath(kind); });
    if (!path)
        return;
    TileDocument changed = m_doc;
    if (const QString error = read(*path, changed); !error.isEmpty()) {
        dialogs().tell(tms::warningTitle(), error);
        return;
    }
    recordStep(stepText, [&] { m_doc = changed; });
    cmd_Refresh_Click();
}

void KardoWindow::ImporterTileset_Click()
{
    importSheet(FileDialogKind::ImportTileset, QStringLiteral("Import Tile Sheet"), importTilesetFile);
}

void KardoWindow::ImporterSprites_Click()
{
    importSheet(FileDialogKind::ImportSprites, QStringLiteral("Import Sprite Sheet"), importSpriteSheetFile);
}

void KardoWindow::exportPicture(FileDialogKind kind, QImage (*picture)(const TileDocument&))
{
    std::optional<QString> path;
    withTimerPaused([&] { path = choosePath(kind); });
    if (!path)
        return;
    const std::optional<QByteArray> png = tms::encodeImage(picture(m_doc), "PNG");
    tellWritten(png ? tms::writeWholeFile(*path, *png)
                    : tms::FileResult::failure(QStringLiteral("Cannot encode \"%1\"").arg(*path)),
                *path);
}

void KardoWindow::ExporterTileset_Click()
{
    exportPicture(FileDialogKind::ExportTileset, tilesetPicture);
}

void KardoWindow::ExporterSprites_Click()
{
    exportPicture(FileDialogKind::ExportSprites, spriteSheetPicture);
}

void KardoWindow::ExporterPNG_Click()
{
    exportPicture(FileDialogKind::ExportScreenPNG, screenPicture);
}

} // namespace tile
