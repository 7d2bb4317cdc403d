#include "c_export.h"

#include "hex.h"
#include "rle.h"
#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

QString cValue(Byte value) { return QStringLiteral(" 0x") + tms::Hex2(value); }

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

void writeBlock(tms::CrLfText& text, bool rle, const char* name, const std::vector<Byte>& values)
{
    text.line();
    if (rle) {
        text.line(QStringLiteral("byte %1RLE[] = {").arg(QLatin1StringView(name)));
        // The compressed stream's lines end when 15 modulo 16 values are written.
        writeValues(text, tms::RleEncode(values), [](std::size_t n) { return n % 16 == 15; });
    } else {
        text.line(QStringLiteral("byte %1[] = {").arg(QLatin1StringView(name)));
        writeValues(text, values, [](std::size_t n) { return n % 16 == 0; });
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
        .line(doc.edition == Edition::ScreenMode1 ? "/*   GRAPHICS TABLES  -  WIN KARDO v2.80    */"
                                                  : "/*   GRAPHICS TABLES  -  WIN KARDO v3.00    */")
        .line("/*                                          */");
    if (options.rle)
        text.line("/*        WARNING : RLE COMPRESSION         */").line("/*                                          */");
    text.line("/********************************************/").line().line("#include <coleco.h>");

    // The row range narrows only a compressed name table.
    writeBlock(text, options.rle, "NAME",
               options.rle ? nameTableBytes(doc, options.startLine, options.endLine) : nameTableBytes(doc));
    writeBlock(text, options.rle, "PATTERN", patternBytes(doc));
    // The 32 group colours of screen mode 1 are always written plain.
    writeBlock(text, options.rle && doc.edition == Edition::ScreenMode2, "COLOR", colorBytes(doc));

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
