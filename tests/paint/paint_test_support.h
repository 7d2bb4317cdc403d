#pragma once
// Cleared and random pictures and their PowerPaint bytes (the layout: test_common).

#include "picture.h"
#include "powerpaint.h"
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

inline paint::Picture cleared()
{
    paint::Picture picture;
    paint::clearPicture(picture);
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

// A picture's bytes in a PowerPaint file of either size.
inline QByteArray ppBytes(const paint::Picture& p, bool fullScreen)
{
    return tms::powerpaint::encode(p.bitmapPatterns, p.bitmapColors, fullScreen);
}

} // namespace paint_test
