#include "c_export.h"

#include "hex.h"
#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

QString cValue(Byte value)
{
    return QStringLiteral(" 0x") + tms::Hex2(value);
}

// The values in C form: every line starts with a blank, each value is " 0xhh" and a
// comma, the last value is closed by "};". endsLine(n) tells whether the line ends once
// n values have been written; a line still open at the end is written then.
template <typename EndsLine>
void writeValues(tms::CrLfText& text, const std::vector<Byte>& values, EndsLine endsLine)
{
    QString line = QStringLiteral(" ");
    bool open = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += cValue(values[i]);
        line += i + 1 == values.size() ? QStringLiteral("};") : QStringLiteral(",");
        open = true;
        if (endsLine(i + 1)) {
            text.line(line);
            line = QStringLiteral(" ");
            open = false;
        }
    }
    if (open)
        text.line(line);
}

void writeBlock(tms::CrLfText& text, const tms::SourceTable& table, bool compressed)
{
    text.line().line(QStringLiteral("byte %1[] = {").arg(table.name));
    if (compressed) // the compressed stream's lines end when 15 modulo 16 values are written
        writeValues(text, table.bytes, [](std::size_t n) { return n % 16 == 15; });
    else
        writeValues(text, table.bytes, [](std::size_t n) { return n % 16 == 0; });
}

// "/*        WARNING : RLE COMPRESSION         */": the codec's name in a line of 46.
QString warningLine(tms::Compression compression)
{
    const QString words = QStringLiteral("WARNING : %1 COMPRESSION").arg(tms::compressionName(compression).toUpper());
    const int inner = 42 - int(words.size());
    return QStringLiteral("/*") + QString(inner / 2, QLatin1Char(' ')) + words
           + QString(inner - inner / 2, QLatin1Char(' ')) + QStringLiteral("*/");
}

QStringList banner(const TileDocument& doc, tms::Compression compression)
{
    QStringList lines{QStringLiteral("/********************************************/"),
                      QStringLiteral("/*                                          */"),
                      QString::fromLatin1(doc.traits().cBannerTitle),
                      QStringLiteral("/*                                          */")};
    if (compression != tms::Compression::None)
        lines << warningLine(compression) << QStringLiteral("/*                                          */");
    lines << QStringLiteral("/********************************************/");
    return lines;
}

bool rowInRange(int row)
{
    return row >= 0 && row < screenRows;
}

} // namespace

CExportOptions checkedRowRange(CExportOptions options)
{
    if (!rowInRange(options.startLine))
        options.startLine = 0;
    if (!rowInRange(options.endLine))
        options.endLine = screenRows - 1;
    if (options.startLine > options.endLine) {
        options.startLine = 0;
        options.endLine = screenRows - 1;
    }
    return options;
}

tms::Compression compressionOf(const CExportOptions& options)
{
    if (options.compression != tms::Compression::None)
        return options.compression;
    return options.rle ? tms::Compression::Rle : tms::Compression::None;
}

QByteArray exportC(const TileDocument& doc, CExportOptions options)
{
    options = checkedRowRange(options);
    const tms::Compression compression = compressionOf(options);
    tms::CrLfText text;
    for (const QString& line : banner(doc, compression))
        text.line(line);
    text.line().line("#include <coleco.h>");

    // The row range narrows only a compressed name table.
    const tms::SourceTables tables = sourceTables(doc, compression, TableTarget::C, options.startLine, options.endLine);
    const bool compressed = compression != tms::Compression::None;
    for (const tms::SourceTable& table : tables) {
        if (table.name == QLatin1String("SPRITESINIT")) {
            text.line().line(QStringLiteral("int SPRITESINITSIZE = %1;").arg(table.bytes.size()));
            text.line().line("byte SPRITESINIT[] = {");
            for (std::size_t i = 0; i < table.bytes.size(); i += 4)
                text.line(QStringLiteral("  204, 0, %1, %2%3")
                              .arg(int(table.bytes[i + 2]))
                              .arg(int(table.bytes[i + 3]))
                              .arg(i + 4 == table.bytes.size() ? QStringLiteral("};") : QStringLiteral(",")));
        } else {
            // The 32 group colours of screen mode 1 are always written plain.
            writeBlock(text, table, compressed && table.name != QLatin1String("COLOR"));
        }
    }
    return text.bytes();
}

tms::batch::Outputs cExportFiles(const QString& path, const TileDocument& doc, CExportOptions options)
{
    if (options.style == tms::CStyle::Coleco)
        return {{path, exportC(doc, options)}};
    options = checkedRowRange(options);
    const tms::Compression compression = compressionOf(options);
    const QString headerPath = tms::headerPathFor(path);
    const tms::CSourcePair files =
        tms::stdintTablesSource(banner(doc, compression), headerPath,
                                sourceTables(doc, compression, TableTarget::C, options.startLine, options.endLine));
    return {{path, files.source}, {headerPath, files.header}};
}

tms::FileResult writeCExport(const QString& path, const TileDocument& doc, CExportOptions options)
{
    return tms::batch::commitAll(cExportFiles(path, doc, options));
}

} // namespace tile
