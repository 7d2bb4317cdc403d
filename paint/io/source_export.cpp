#include "source_export.h"

#include "binary_tables.h"
#include "hex.h"
#include "pack_colors.h"
#include "rle.h"
#include "text_writer.h"

namespace paint {

QString defaultTableName()
{
    return QStringLiteral("IMAGE");
}

QString tableNameOrDefault(const std::optional<QString>& answer)
{
    return answer && !answer->isEmpty() ? *answer : defaultTableName();
}

QString tableNameRefusal(const QString& name)
{
    if (!tms::isTableIdentifier(name))
        return tms::notTableIdentifierMessage(name);
    // The assembler label "L" + name must not read as an instruction.
    static const QStringList loads{QStringLiteral("D"), QStringLiteral("DI"), QStringLiteral("DIR"),
                                   QStringLiteral("DD"), QStringLiteral("DDR")};
    if (loads.contains(name.toUpper()))
        return QStringLiteral("\"%1\" cannot name a table: its assembler label L%1 is an instruction").arg(name);
    return {};
}

std::vector<std::uint8_t> exportStream(const Picture& picture)
{
    Picture packed = picture;
    packColors(packed);
    std::vector<std::uint8_t> stream = tms::RleEncode(packed.bitmapColors);
    const std::vector<std::uint8_t> patterns = tms::RleEncode(packed.bitmapPatterns);
    stream.insert(stream.end(), patterns.begin(), patterns.end());
    return stream;
}

tms::SourceTables pictureSourceTables(const Picture& picture, const QString& name, tms::Compression compression)
{
    if (compression == tms::Compression::Rle)
        return {{name, exportStream(picture), 16, QString()}};
    Picture packed = picture;
    packColors(packed);
    return {{name + QStringLiteral("_COLOR"), tms::compress(compression, packed.bitmapColors), 16, QString()},
            {name + QStringLiteral("_PATTERN"), tms::compress(compression, packed.bitmapPatterns), 16, QString()}};
}

namespace {

QStringList cBanner()
{
    return {QStringLiteral("/********************************************/"),
            QStringLiteral("/*                                          */"),
            QStringLiteral("/*  GRAPHICS TABLES  -  MOSAICEASEL v1.04   */"),
            QStringLiteral("/*                                          */"),
            QStringLiteral("/********************************************/")};
}

} // namespace

QByteArray cSource(const Picture& picture, const QString& tableName, tms::Compression compression)
{
    tms::CrLfText text;
    for (const QString& line : cBanner())
        text.line(line);
    text.line().line("#include <coleco.h>");
    for (const tms::SourceTable& table : pictureSourceTables(picture, tableName, compression)) {
        text.line().line(QStringLiteral("byte ") + table.name + QStringLiteral("[] = {"));
        // Sixteen values a line, each line starting with a blank, the last value closed by "};".
        const std::vector<std::uint8_t>& stream = table.bytes;
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
    }
    return text.bytes();
}

tms::batch::Outputs cExportFiles(const QString& path, const Picture& picture, const QString& tableName,
                                 SourceOptions options)
{
    if (options.style == tms::CStyle::Coleco)
        return {{path, cSource(picture, tableName, options.compression)}};
    const QString headerPath = tms::headerPathFor(path);
    const tms::CSourcePair files =
        tms::stdintTablesSource(cBanner(), headerPath, pictureSourceTables(picture, tableName, options.compression));
    return {{path, files.source}, {headerPath, files.header}};
}

QByteArray asmSource(const Picture& picture, const QString& tableName, SourceOptions options)
{
    tms::SourceTables tables = pictureSourceTables(picture, tableName, options.compression);
    for (tms::SourceTable& table : tables)
        table.name.prepend(QLatin1Char('L'));
    // The paint program's source has never ended with ".end".
    return tms::asmTablesSource(options.syntax, {tms::asmBannerLines(), false}, tables);
}

tms::FileResult exportC(const QString& path, const Picture& picture, const QString& tableName, SourceOptions options)
{
    return tms::batch::commitAll(cExportFiles(path, picture, tableName, options));
}

tms::FileResult exportASM(const QString& path, const Picture& picture, const QString& tableName, SourceOptions options)
{
    return tms::writeWholeFile(path, asmSource(picture, tableName, options));
}

tms::batch::Outputs binaryExportFiles(const QString& prefix, const Picture& picture, tms::Compression compression)
{
    std::vector<std::uint8_t> names(768);
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = std::uint8_t(i % 256);
    return tms::binaryTableOutputs(
        prefix,
        {{QStringLiteral(".pat"), {picture.bitmapPatterns.begin(), picture.bitmapPatterns.end()}},
         {QStringLiteral(".col"), {picture.bitmapColors.begin(), picture.bitmapColors.end()}},
         {QStringLiteral(".nam"), names}},
        compression);
}

} // namespace paint
