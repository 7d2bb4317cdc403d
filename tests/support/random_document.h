#pragma once
// Tile editor documents for the tests and the fuzz harnesses: filled with random bytes
// everywhere (sprite colours included, also above 15, which a file can bring) or keeping
// the chip's colour rules, and their tables in the orders of the exports, read with
// plain loops.

#include "palette.h"
#include "tile_document.h"

#include <QRandomGenerator>
#include <QString>
#include <vector>

namespace testdoc {

// In the screen mode 1 edition the group colours are filled and the row colours,
// which are no part of such a document, keep their reset value.
inline tile::TileDocument randomDocument(quint32 seed, bool withSprites = true,
                                         tile::Edition edition = tile::Edition::ScreenMode2)
{
    QRandomGenerator random(seed);
    tile::TileDocument doc(edition);
    auto fill = [&](auto& table) {
        for (auto& part : table)
            for (auto& b : part)
                b = tile::Byte(random.bounded(256));
    };
    fill(doc.charPatterns);
    if (edition == tile::Edition::ScreenMode1) {
        for (auto& c : doc.groupColors)
            c = tile::Byte(random.bounded(256));
    } else {
        fill(doc.charColors);
    }
    fill(doc.nameTable);
    if (withSprites) {
        fill(doc.spritePatterns);
        for (auto& c : doc.spriteColors)
            c = tile::Byte(random.bounded(256));
    }
    return doc;
}

// A document whose every colour pair is two of 1..15 (colour 0 draws a grey that no
// import gives back), with characters drawn at random into the name table.
inline tile::TileDocument ruleKeepingDocument(quint32 seed, tile::Edition edition, int charactersUsed = 256)
{
    QRandomGenerator random(seed);
    tile::TileDocument doc(edition);
    auto colourPair = [&] { // two different colours
        const int foreground = 1 + random.bounded(15);
        return tms::colorByte(foreground, 1 + (foreground + random.bounded(14)) % 15);
    };
    for (int c = 0; c < tile::charCount; ++c)
        for (int y = 0; y < 8; ++y) {
            doc.charPatterns[c][y] = tile::Byte(random.bounded(256));
            doc.charColors[c][y] = colourPair();
        }
    for (tile::Byte& g : doc.groupColors)
        g = colourPair();
    for (auto& column : doc.nameTable)
        for (tile::Byte& name : column)
            name = tile::Byte(random.bounded(charactersUsed));
    return doc;
}

inline QString hex2(int v)
{
    return QString::asprintf("%02X", v & 0xFF);
}

// Values in the orders of the files, written with plain loops.
inline std::vector<int> names(const tile::TileDocument& d, int first = 0, int last = 23)
{
    std::vector<int> v;
    for (int row = first; row <= last; ++row)
        for (int col = 0; col < 32; ++col)
            v.push_back(d.nameTable[col][row]);
    return v;
}
template <typename Table>
std::vector<int> flat(const Table& table, std::size_t count)
{
    std::vector<int> v;
    for (std::size_t i = 0; i < count; ++i)
        v.insert(v.end(), table[i].begin(), table[i].end());
    return v;
}
inline std::vector<int> patterns(const tile::TileDocument& d)
{
    return flat(d.charPatterns, 256);
}
// The row colours, or in screen mode 1 the 32 group colours.
inline std::vector<int> colors(const tile::TileDocument& d)
{
    if (d.edition == tile::Edition::ScreenMode1)
        return std::vector<int>(d.groupColors.begin(), d.groupColors.end());
    return flat(d.charColors, 256);
}
inline std::vector<int> sprites(const tile::TileDocument& d, int count = 64)
{
    return flat(d.spritePatterns, count);
}
inline std::vector<int> spriteColors(const tile::TileDocument& d)
{
    return std::vector<int>(d.spriteColors.begin(), d.spriteColors.end());
}

} // namespace testdoc
