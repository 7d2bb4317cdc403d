#pragma once
// Helpers shared by the paint tests: random pictures and the
// PowerPaint layout written out block row by block row without the codec, as an
// independent reference for byte comparisons.

#include "picture.h"
#include "test_files.h"

#include <QRandomGenerator>

namespace paint_test {

inline paint::Picture randomPicture(quint32 seed)
{
    QRandomGenerator random(seed);
    paint::Picture picture;
    for (int i = 0; i < 6144; ++i) {
        picture.bitmapPatterns[i] = std::uint8_t(random.bounded(256));
        picture.bitmapColors[i] = std::uint8_t(random.bounded(256));
    }
    return picture;
}

inline QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, '\0');
    for (char& b : bytes)
        b = char(random.bounded(256));
    return bytes;
}

// One 5120-byte block: 20 rows of 256 bytes, 16 unused bytes then 8 bytes per column.
inline QByteArray expectedBlock(const tms::BitmapTable& table, int firstRow, int rows, int firstColumn, int columns)
{
    QByteArray block(5120, '\0');
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c)
            for (int line = 0; line < 8; ++line)
                block[r * 256 + 16 + c * 8 + line] = char(table[(firstRow + r) * 256 + (firstColumn + c) * 8 + line]);
    return block;
}

// 10K: patterns then colours of columns 0..29, rows 0..19.
inline QByteArray expected10K(const paint::Picture& p)
{
    return expectedBlock(p.bitmapPatterns, 0, 20, 0, 30) + expectedBlock(p.bitmapColors, 0, 20, 0, 30);
}

// 40K: four quadrants, each colours then patterns.
inline QByteArray expected40K(const paint::Picture& p)
{
    QByteArray out;
    const int areas[4][4] = {{0, 20, 0, 30}, {0, 20, 30, 2}, {20, 4, 0, 30}, {20, 4, 30, 2}};
    for (const auto& a : areas) {
        out += expectedBlock(p.bitmapColors, a[0], a[1], a[2], a[3]);
        out += expectedBlock(p.bitmapPatterns, a[0], a[1], a[2], a[3]);
    }
    return out;
}

} // namespace paint_test
