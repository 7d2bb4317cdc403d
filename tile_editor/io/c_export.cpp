#include "c_export.h"

#include "hex.h"
#include "rle.h"
#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

QString cValue(Byte value) { return QStringLiteral(" 0x") + tms::Hex2(value); }

// Sixteen values to a line; each line starts with a blank, each value is " 0xhh" and a
// comma, the last value is closed by "};".
void writePlainValues(tms::CrLfText& text, const std::vector<Byte>& values)
{
    QString line = QStringLiteral(" ");
    for (std::size_t i = 0; i < values.size(); ++i) {
        line += cValue(values[i]);
        const bool last = i + 1 == values.size();
        line += last ? QStringLiteral("};") : QStringLiteral(",");
        if (i % 16 == 15 || last) {
            text.line(line);
            line = QStringLiteral(" ");
        }
    }
}

// The compressed stream in the same value format, but the line is cut each time the
// count of values written is 15 modulo 16: 15 values on the first line, 16 on the next.
void writeCompressedValues(tms::CrLfText& text, const std::vector<Byte>& stream)
{
    QString line = QStringLiteral(" ");
    bool justWritten = false;
    for (std::size_t i = 0; i < stream.size(); ++i) {
        line += cValue(stream[i]);
        line += i + 1 == stream.size() ? QStringLiteral("};") : QStringLiteral(",");
        justWritten = (i + 1) % 16 == 15;
        if (justWritten) {
            text.line(line);
            line = QStringLiteral(" ");
        }
    }
    if (!justWritten)
        text.line(line);
}

void writeBlock(tms::CrLfText& text, bool rle, const char* name, const std::vector<Byte>& values)
{
    text.line();
    if (rle) {
        text.line(QStringLiteral("byte %1RLE[] = {").arg(QLatin1StringView(name)));
        writeCompressedValues(text, tms::RleEncode(values));
    } else {
        text.line(QStringLiteral("byte %1[] = {").arg(QLatin1StringView(name)));
        writePlainValues(text, values);
    }
}

bool rowInRange(int row) { return row >= 0 && row < screenRows; }

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

QByteArray ExportC(const TileDocument& doc, CExportOptions options)
{
    options = checkedRowRange(options);
    tms::CrLfText text;
    text.line("/********************************************/")
        .line("/*                                          */")
        .line("/*   GRAPHICS TABLES  -  WIN KARDO v3.00    */")
        .line("/*                                          */");
    if (options.rle)
        text.line("/*        WARNING : RLE COMPRESSION         */").line("/*                                          */");
    text.line("/********************************************/").line().line("#include <coleco.h>");

    // The row range narrows only a compressed name table.
    writeBlock(text, options.rle, "NAME",
               options.rle ? nameTableBytes(doc, options.startLine, options.endLine) : nameTableBytes(doc));
    writeBlock(text, options.rle, "PATTERN", patternBytes(doc));
    writeBlock(text, options.rle, "COLOR", colorBytes(doc));

    const std::optional<int> last = lastDrawnSprite(doc);
    if (!last)
        return text.bytes();
    // Compressed, only the sprites up to the last drawn one; plain, all 64.
    writeBlock(text, options.rle, "SPATTERN", spritePatternBytes(doc, options.rle ? *last + 1 : spriteCount));
    text.line().line(QStringLiteral("int SPRITESINITSIZE = %1;").arg(4 * (*last + 1)));
    text.line().line("byte SPRITESINIT[] = {");
    for (int sprite = 0; sprite <= *last; ++sprite)
        text.line(QStringLiteral("  204, 0, %1, %2%3")
                      .arg(4 * sprite)
                      .arg(int(doc.spriteColors[sprite]))
                      .arg(sprite == *last ? QStringLiteral("};") : QStringLiteral(",")));
    return text.bytes();
}

tms::FileResult writeCExport(const QString& path, const TileDocument& doc, CExportOptions options)
{
    return tms::writeWholeFile(path, ExportC(doc, options));
}

} // namespace tile
