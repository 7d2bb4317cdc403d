// Pictures in and out of the tile editor: a picture imported as tiles with a live
// preview, the character and sprite sheets read and written as PNG, and the screen
// written as PNG. The work is in io/ (picture_tiles, tile_sheets); this file asks,
// chooses and tells.
#include "tile_editor_window.h"

#include "atomic_file.h"
#include "document_life.h"
#include "image_bytes.h"
#include "picture_decoding.h"
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

void TileEditorWindow::buildPictureMenus()
{
    auto item = [this](QMenu* menu, const char* name, const char* caption, void (TileEditorWindow::*handler)()) {
        QAction* action = menu->addAction(QString::fromLatin1(caption));
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    m_fileMenu->addSeparator();
    m_importPictureAction =
        item(m_fileMenu, "ImporterPicture", "Import P&icture...", &TileEditorWindow::onImportPictureTriggered);
    m_importTilesetAction =
        item(m_fileMenu, "ImporterTileset", "Import &Tile Sheet...", &TileEditorWindow::onImportTilesetTriggered);
    m_importSpritesAction =
        item(m_fileMenu, "ImporterSprites", "Import Sp&rite Sheet...", &TileEditorWindow::onImportSpritesTriggered);
    m_exportTilesetAction = item(m_fileMenu, "ExporterTileset", "Export Tile S&heet as PNG...",
                                 &TileEditorWindow::onExportTilesetTriggered);
    m_exportSpritesAction = item(m_fileMenu, "ExporterSprites", "Export Sprite Sheet as P&NG...",
                                 &TileEditorWindow::onExportSpritesTriggered);
    m_exportScreenPngAction =
        item(m_fileMenu, "ExporterPNG", "Export Screen as PN&G...", &TileEditorWindow::onExportScreenPngTriggered);

    // The sprite sheet's commands also sit with the sprites.
    m_spritesMenu = menuBar()->addMenu(QStringLiteral("S&prites"));
    m_spritesMenu->setObjectName(QStringLiteral("Sprites"));
    m_spritesMenu->addAction(m_importSpritesAction);
    m_spritesMenu->addAction(m_exportSpritesAction);
}

void TileEditorWindow::onImportPictureTriggered()
{
    const dither::DecodedPictureReuse readOnce; // checked, previewed and imported
    std::optional<QString> path;
    withTimerPaused([&] { path = choosePath(FileDialogKind::ImportPicture); });
    if (path)
        importPictureFile(*path);
}

void TileEditorWindow::importPictureFile(const QString& path)
{
    withTimerPaused([&] {
        const tms::DecodedPicture decoded = dither::decodePictureFile(this, path); // off the GUI thread
        if (decoded.cancelled)
            return;
        if (!decoded.image) {
            dialogs().tell(tms::warningTitle(), decoded.error);
            return;
        }
        const std::optional<QImage>& picture = decoded.image;
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
            m_doc.resetTables();
            applyTiles(m_doc, converted->tiles);
            onRefreshClicked();
            return true;
        });
    });
}

void TileEditorWindow::importSheet(FileDialogKind kind, const QString& stepText,
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
    onRefreshClicked();
}

void TileEditorWindow::onImportTilesetTriggered()
{
    importSheet(FileDialogKind::ImportTileset, QStringLiteral("Import Tile Sheet"), importTilesetFile);
}

void TileEditorWindow::onImportSpritesTriggered()
{
    importSheet(FileDialogKind::ImportSprites, QStringLiteral("Import Sprite Sheet"), importSpriteSheetFile);
}

void TileEditorWindow::exportPicture(FileDialogKind kind, QImage (*picture)(const TileDocument&))
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

void TileEditorWindow::onExportTilesetTriggered()
{
    exportPicture(FileDialogKind::ExportTileset, tilesetPicture);
}

void TileEditorWindow::onExportSpritesTriggered()
{
    exportPicture(FileDialogKind::ExportSprites, spriteSheetPicture);
}

void TileEditorWindow::onExportScreenPngTriggered()
{
    exportPicture(FileDialogKind::ExportScreenPNG, screenPicture);
}

} // namespace tile
