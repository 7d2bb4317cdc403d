#include "pp_file.h"

#include "screen_size.h"

#include <QFileInfo>

namespace paint {

QString notPowerPaintMessage()
{
    return QStringLiteral("Not a fullscreen PowerPaint file (10K or 40K)");
}

bool isPowerPaintLength(qint64 length)
{
    return length == tms::powerpaint::tenKSize || length == tms::powerpaint::fullSize;
}

tms::FileResult loadPowerPaintFile(const QString& path, Picture& picture, bool& fullScreenFile)
{
    const QFileInfo info(path);
    // A file of the wrong length gets the same refusal as in the Open dialog, rather
    // than a generic read error.
    if (info.isFile() && !isPowerPaintLength(info.size()))
        return tms::FileResult::failure(notPowerPaintMessage());
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, tms::powerpaint::fullSize, &error);
    if (!data)
        return tms::FileResult::failure(error);
    // Decode into copies so that the picture stays whole if the file changed length
    // between the check and the read.
    Picture loaded = picture;
    bool fullScreen = false;
    if (!tms::powerpaint::decode(*data, loaded.bitmapPatterns, loaded.bitmapColors, &fullScreen))
        return tms::FileResult::failure(notPowerPaintMessage());
    picture = loaded;
    fullScreenFile = fullScreen;
    return {};
}

QByteArray ppFileBytes(const Picture& picture, bool fullScreenFile)
{
    return tms::powerpaint::encode(picture.bitmapPatterns, picture.bitmapColors, fullScreenFile);
}

tms::FileResult savePowerPaintFile(const QString& path, const Picture& picture, bool fullScreenFile)
{
    return tms::writeWholeFile(path, ppFileBytes(picture, fullScreenFile));
}

bool drawsOutsideTenK(const Picture& picture)
{
    constexpr int tenKColumns = 30, tenKRows = 20;
    const int clearedBackground = clearedColorByte & 15;
    for (int y = 0; y < tms::screenHeight; ++y)
        for (int column = 0; column < tms::screenWidth / 8; ++column) {
            if (column < tenKColumns && y < tenKRows * 8)
                continue;
            const int index = rowIndexOfLine(column, y);
            const int pattern = picture.bitmapPatterns[index], color = picture.bitmapColors[index];
            if ((pattern != 0 && color >> 4 != clearedBackground)
                || (pattern != 255 && (color & 15) != clearedBackground))
                return true;
        }
    return false;
}

} // namespace paint
