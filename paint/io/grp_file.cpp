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

QByteArray sc2Header()
{
    return QByteArray("\xFE\x00\x00\xFF\x37\x00\x00", headerSize);
}

QString notGrpMessage()
{
    return QStringLiteral("Not a valid MSX Mode 2 GRP file (16K)");
}
QString notSc2Message()
{
    return QStringLiteral("Not an MSX screen 2 file: an SC2 file holds 14343 or 16391 bytes");
}
QString notGrpHeaderMessage()
{
    return QStringLiteral("Not an authorized MSX Header file");
}

namespace {

bool isScreen2Size(qint64 size)
{
    return size == grpFileSize || size == sc2FileSize;
}

} // namespace

QString checkGRPFile(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !isScreen2Size(info.size()))
        return notGrpMessage();
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, grpFileSize, &error);
    if (!data)
        return error;
    Picture scratch;
    return decodeGRP(*data, scratch);
}

QString checkSC2File(const QString& path)
{
    const QString refusal = checkGRPFile(path);
    return refusal == notGrpMessage() ? notSc2Message() : refusal;
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

QByteArray encodeSC2(const Picture& picture)
{
    QByteArray file = encodeGRP(picture).left(sc2FileSize);
    file.replace(0, headerSize, sc2Header());
    return file;
}

QString decodeGRP(const QByteArray& data, Picture& picture)
{
    if (!isScreen2Size(data.size()))
        return notGrpMessage();
    if (!data.startsWith(data.size() == grpFileSize ? grpHeader() : sc2Header()))
        return notGrpHeaderMessage();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.constData());
    std::copy_n(bytes + patternOffset, picture.bitmapPatterns.size(), picture.bitmapPatterns.begin());
    std::copy_n(bytes + colorOffset, picture.bitmapColors.size(), picture.bitmapColors.begin());
    return {};
}

namespace {

tms::FileResult loadScreen2File(const QString& path, Picture& picture, const QString& wrongLength)
{
    const QFileInfo info(path);
    if (info.isFile() && !isScreen2Size(info.size()))
        return tms::FileResult::failure(wrongLength);
    QString error;
    const std::optional<QByteArray> data = tms::readWholeFile(path, grpFileSize, &error);
    if (!data)
        return tms::FileResult::failure(error);
    if (const QString refusal = decodeGRP(*data, picture); !refusal.isEmpty())
        return tms::FileResult::failure(refusal == notGrpMessage() ? wrongLength : refusal);
    return {};
}

} // namespace

tms::FileResult loadGrpFile(const QString& path, Picture& picture)
{
    return loadScreen2File(path, picture, notGrpMessage());
}

tms::FileResult loadSc2File(const QString& path, Picture& picture)
{
    return loadScreen2File(path, picture, notSc2Message());
}

tms::FileResult saveGRPFile(const QString& path, const Picture& picture)
{
    return tms::writeWholeFile(path, encodeGRP(picture));
}

} // namespace paint
