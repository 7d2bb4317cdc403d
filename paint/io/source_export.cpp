#include "source_export.h"

#include "hex.h"
#include "pack_colors.h"
#include "rle.h"
#include "text_writer.h"

namespace paint {

QString defaultTableName() { return QStringLiteral("IMAGE"); }

QString tableNameOrDefault(const std::optional<QString>& answer)
{
    return answer && !answer->isEmpty() ? *answer : defaultTableName();
}

std::vector<std::uint8_t> exportStream(const Picture& picture)
{
    Picture packed = picture;
    PackColors(packed);
    std::vector<std::uint8_t> stream = tms::RleEncode(packed.bitmapColors);
    const std::vector<std::uint8_t> patterns = tms::RleEncode(packed.bitmapPatterns);
    stream.insert(stream.end(), patterns.begin(), patterns.end());
    return stream;
}

QByteArray cSource(const Picture& picture, const QString& tableName)
{
    const std::vector<std::uint8_t> stream = exportStream(picture);
    tms::CrLfText text;
    text.line("/********************************************/")
        .line("/*                                          */")
        .line("/*  GRAPHICS TABLES  -  MOSAICEASEL v1.04   */")
        .line("/*                                          */")
        .line("/********************************************/")
        .line()
        .line("#include <coleco.h>")
        .line()
        .line(QStringLiteral("byte ") + tableName + QStringLiteral("[] = {"));
    // Sixteen values a line, each line starting with a blank, the last value closed by "};".
    QByteArray line;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        if (i % 16 == 0)
            line = " ";
        line += "0x";
        tms::appendHex2(line, stream[i]);
        line += i + 1 == stream.size() ? "};" : ",";
        if (i % 16 == 15 || i + 1 == stream.size())
            text.line(line.constData());
    }
    return text.bytes();
}

QByteArray asmSource(const Picture& picture, const QString& tableName)
{
    const std::vector<std::uint8_t> stream = exportStream(picture);
    tms::CrLfText text;
    tms::writeAsmBanner(text);
    text.line().line().line(QStringLiteral("L") + tableName + QStringLiteral(":"));
    tms::writeAsmDataLines(text, stream);
    return text.bytes();
}

tms::FileResult exportC(const QString& path, const Picture& picture, const QString& tableName)
{
    return tms::writeWholeFile(path, cSource(picture, tableName));
}

tms::FileResult exportASM(const QString& path, const Picture& picture, const QString& tableName)
{
    return tms::writeWholeFile(path, asmSource(picture, tableName));
}

} // namespace paint
