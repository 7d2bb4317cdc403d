#include "spectrum_file.h"

#include "file_extension.h"

#include <QFileInfo>

namespace paint {

namespace {

constexpr qsizetype bitmapBytes = 6144;

// The import dialog's rule: a name ending in "scr" (any case, with or without the dot)
// is a 6K screen.
bool isScrName(const QString& path)
{
    return tms::hasExtension(path, QStringLiteral("scr"));
}

// The Spectrum's bitmap order: third, then pixel line in the cell, then cell row,
// then column.
void decodeSpectrumBitmap(const QByteArray& data, Picture& picture)
{
    int offset = 0;
    for (int third = 0; third < 3; ++third)
        for (int line = 0; line < 8; ++line)
            for (int cellRow = 0; cellRow < 8; ++cellRow)
                for (int column = 0; column < 32; ++column)
                    picture.bitmapPatterns[tms::bitmapIndex(third * 8 + cellRow, column, line)] =
                        std::uint8_t(data[offset++]);
}

tms::FileResult loadWith(const QString& path, qsizetype size, const QString& refusal,
                         bool (*decode)(const QByteArray&, Picture&), Picture& picture)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() != size)
        return tms::FileResult::failure(refusal);
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, size, &error);
    if (!data)
        return tms::FileResult::failure(error);
    if (!decode(*data, picture)) // changed length since the check
        return tms::FileResult::failure(refusal);
    return {};
}

} // namespace

const std::array<std::uint8_t, 16> spectrumColorMap = {1, 4, 6, 13, 2, 7, 10, 14, 1, 5, 8, 13, 3, 7, 11, 15};

std::uint8_t spectrumAttributeColor(std::uint8_t attribute)
{
    const int bright = (attribute / 64) & 1;
    const int ink = spectrumColorMap[(attribute & 7) + 8 * bright];
    const int paper = spectrumColorMap[((attribute / 8) & 7) + 8 * bright];
    return std::uint8_t(ink * 16 + paper);
}

QString notScrMessage()
{
    return QStringLiteral("Not a valid Spectrum SCR file (6K)");
}
QString notMltMessage()
{
    return QStringLiteral("Not a valid Spectrum MLT file (12K)");
}

QString checkSpectrumFile(const QString& path)
{
    const QFileInfo info(path);
    if (isScrName(path))
        return info.isFile() && info.size() == scrFileSize ? QString() : notScrMessage();
    return info.isFile() && info.size() == mltFileSize ? QString() : notMltMessage();
}

bool decodeSCR(const QByteArray& data, Picture& picture)
{
    if (data.size() != scrFileSize)
        return false;
    decodeSpectrumBitmap(data, picture);
    for (int cell = 0; cell < 768; ++cell) {
        const std::uint8_t color = spectrumAttributeColor(std::uint8_t(data[bitmapBytes + cell]));
        for (int line = 0; line < 8; ++line)
            picture.bitmapColors[cell * 8 + line] = color;
    }
    return true;
}

bool decodeMLT(const QByteArray& data, Picture& picture)
{
    if (data.size() != mltFileSize)
        return false;
    decodeSpectrumBitmap(data, picture);
    qsizetype offset = bitmapBytes; // one run of 32 attributes per pixel line, top to bottom
    for (int row = 0; row < 24; ++row)
        for (int line = 0; line < 8; ++line)
            for (int column = 0; column < 32; ++column)
                picture.bitmapColors[tms::bitmapIndex(row, column, line)] =
                    spectrumAttributeColor(std::uint8_t(data[offset++]));
    return true;
}

tms::FileResult loadScrFile(const QString& path, Picture& picture)
{
    return loadWith(path, scrFileSize, notScrMessage(), decodeSCR, picture);
}

tms::FileResult loadMltFile(const QString& path, Picture& picture)
{
    return loadWith(path, mltFileSize, notMltMessage(), decodeMLT, picture);
}

tms::FileResult loadSpectrumFile(const QString& path, Picture& picture)
{
    return isScrName(path) ? loadScrFile(path, picture) : loadMltFile(path, picture);
}

} // namespace paint
