#pragma once
// A picture imported as tiles: the picture goes through the converter (the method,
// colours, resize, gamma, brightness and diffusion chosen) into a full screen that keeps
// two colours per 8-pixel row, and that screen becomes characters and a name table for
// the document's edition (screen_tiles.h).

#include "picture_to_screen.h"
#include "screen_tiles.h"

#include <QImage>
#include <optional>

namespace tile {

struct PictureTiles {
    ScreenTiles tiles;
    tms::BitmapTable screenPatterns{}; // the converted screen before it became characters
    tms::BitmapTable screenColors{};
};

// nullopt when fewer than two colours are chosen (dither::selectMoreColors).
std::optional<PictureTiles> pictureToTiles(const QImage& picture, const dither::PictureImportSettings& settings,
                                           Edition edition);

// The text of the preview's statistics: distinct cells, merges and changed pixels.
QString tilesSummary(const ScreenTiles& tiles);

// Reads and converts a picture file into the document's characters, colours and name
// table (the sprites stay). A refused file, or fewer than two colours, leaves the
// document as it was; the message says why.
QString importPictureFile(const QString& path, const dither::PictureImportSettings& settings, TileDocument& doc);

} // namespace tile
