#include "grp_file.h"

#include <QFileInfo>

#include <algorithm>

namespace paint {

namespace {

constexpr qsizetype headerSize = 7;
constexpr qsizetype patternOffset = 7;
constexpr qsizetype nameTableOffset = 6151;
constexpr qsizetype spriteAttributeOffset = 6919;
constexpr qsizetype colorOffset = 8199;
constexpr char endOfSpriteList = char(208);

} // namespace

QByteArray grpHeader()
{
    return QByteArray("\xFE\x00\x00\xFF\x3F\x00\x00", headerSize);
}

QString notGrpMessage() { return QStringLiteral("Not a valid MSX Mode 2 GRP file (16K)"); }
QString notGrpHeaderMessage() { return QStringLiteral("Not an authorized MSX Header file"); }

QString checkGRPFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != grpFileSize)
        return notGrpMessage();
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, grpFileSize, &error);
    if (!data)
        return error;
    Picture scratch;
    return decodeGRP(*data, scratch);
}

QByteArray encodeGRP(const Picture& picture)
{
    QByteArray file(grpFileSize, '\0');
    std::copy_n(grpHeader().constData(), headerSize, file.data());
    std::copy(picture.bitmapPatterns.begin(), picture.bitmapPatterns.end(), file.begin() + patternOffset);
    for (int i = 0; i < 768; ++i)
        file[nameTableOffset + i] = char(i % 256);
    file[spriteAttributeOffset] = endOfSpriteList;
    std::copy(picture.bitmapColors.begin(), picture.bitmapColors.end(), file.begin() + colorOffset);
    return file;
}

QString decodeGRP(const QByteArray& data, Picture& picture)
{
    if (data.size() != grpFileSize)
        return notGrpMessage();
    if (!data.startsWith(grpHeader()))
        return notGrpHeaderMessage();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    std::copy_n(bytes + patternOffset, picture.bitmapPatterns.size(), picture.bitmapPatterns.begin());
    std::copy_n(bytes + colorOffset, picture.bitmapColors.size(), picture.bitmapColors.begin());
    return {};
}

tms::FileResult ChargeGRPFile(const QString& path, Picture& picture)
{
    const QFileInfo info(path);
    if (info.isFile() && info.size() != grpFileSize)
        return tms::FileResult::failure(notGrpMessage());
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, grpFileSize, &error);
    if (!data)
        return tms::FileResult::failure(error);
    if (const QString refusal = decodeGRP(*data, picture); !refusal.isEmpty())
        return tms::FileResult::failure(refusal);
    return {};
}

tms::FileResult saveGRPFile(const QString& path, const Picture& picture)
{
    return tms::writeWholeFile(path, encodeGRP(picture));
}

} // namespace paint
