#pragma once
// Documents for the file tests: filled with random bytes everywhere (sprite colours
// included, also above 15, which a file can bring), and the expected file texts
// written out the plain way, value by value, independently of the writers.

#include "tile_document.h"

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <vector>

namespace testdoc {

inline tile::TileDocument randomDocument(quint32 seed, bool withSprites = true)
{
    QRandomGenerator random(seed);
    tile::TileDocument doc;
    auto byte = [&] { return tile::Byte(random.bounded(256)); };
    for (auto& rows : doc.charPatterns)
        for (auto& b : rows)
            b = byte();
    for (auto& rows : doc.charColors)
        for (auto& b : rows)
            b = byte();
    for (auto& column : doc.nameTable)
        for (auto& b : column)
            b = byte();
    if (withSprites) {
        for (auto& sprite : doc.spritePatterns)
            for (auto& b : sprite)
                b = byte();
        for (auto& c : doc.spriteColors)
            c = byte();
    }
    return doc;
}

inline QString hex2(int v) { return QString::asprintf("%02X", v & 0xFF); }

// Values in the orders of the files, written with plain loops.
inline std::vector<int> names(const tile::TileDocument& d, int first = 0, int last = 23)
{
    std::vector<int> v;
    for (int row = first; row <= last; ++row)
        for (int col = 0; col < 32; ++col)
            v.push_back(d.nameTable[col][row]);
    return v;
}
inline std::vector<int> patterns(const tile::TileDocument& d)
{
    std::vector<int> v;
    for (int c = 0; c < 256; ++c)
        for (int r = 0; r < 8; ++r)
            v.push_back(d.charPatterns[c][r]);
    return v;
}
inline std::vector<int> colors(const tile::TileDocument& d)
{
    std::vector<int> v;
    for (int c = 0; c < 256; ++c)
        for (int r = 0; r < 8; ++r)
            v.push_back(d.charColors[c][r]);
    return v;
}
inline std::vector<int> sprites(const tile::TileDocument& d, int count = 64)
{
    std::vector<int> v;
    for (int s = 0; s < count; ++s)
        for (int b = 0; b < 32; ++b)
            v.push_back(d.spritePatterns[s][b]);
    return v;
}
inline std::vector<int> spriteColors(const tile::TileDocument& d)
{
    return std::vector<int>(d.spriteColors.begin(), d.spriteColors.end());
}

// A project file section: the label on the first line, "        DB      " on the others.
inline QByteArray projectSection(const char* label, const std::vector<int>& values)
{
    QByteArray out;
    for (std::size_t line = 0; line * 16 < values.size(); ++line) {
        QStringList items;
        for (std::size_t i = line * 16; i < line * 16 + 16; ++i)
            items << "$" + hex2(values[i]);
        out += (line == 0 ? QByteArray(label) : QByteArray("        DB      ")) + items.join(",").toLatin1() + "\r\n";
    }
    return out;
}

inline QByteArray expectedProjectFile(const tile::TileDocument& d)
{
    return projectSection("NAME    DB      ", names(d)) + projectSection("PATTERN DB      ", patterns(d))
        + projectSection("MCOLOR  DB      ", colors(d)) + projectSection("SPATT   DB      ", sprites(d))
        + projectSection("SCOLOR  DB      ", spriteColors(d));
}

} // namespace testdoc
