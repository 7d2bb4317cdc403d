#include "asm_export.h"

#include "hex.h"
#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

void writeDataLines(tms::CrLfText& text, const std::vector<Byte>& values)
{
    QString line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i % 16 == 0)
            line = QStringLiteral("\t.byte ");
        else
            line += QLatin1Char(',');
        line += QLatin1Char('$') + tms::Hex2(values[i]);
        if (i % 16 == 15 || i + 1 == values.size())
            text.line(line);
    }
}

void writeLabelled(tms::CrLfText& text, const char* label, const std::vector<Byte>& values)
{
    text.line().line(label);
    writeDataLines(text, values);
}

} // namespace

QByteArray ExportAsm(const TileDocument& doc)
{
    tms::CrLfText text;
    text.line("; ********************************************")
        .line("; *                                          *")
        .line("; *     GRAPHICS TABLES                      *")
        .line("; *                                          *")
        .line("; *     GENERATED WITH                       *")
        .line("")
        .line("; *                                          *")
        .line("; ********************************************")
        .line();
    writeLabelled(text, "NAME:", nameTableBytes(doc));
    writeLabelled(text, "PATTERN:", patternBytes(doc));
    writeLabelled(text, "COLOR:", colorBytes(doc));
    if (lastDrawnSprite(doc)) {
        writeLabelled(text, "SPATTERN:", spritePatternBytes(doc));
        text.line().line("SATTRIB:").line(";      Y , X , No, Color");
        // No positions are kept: every sprite starts at Y $D0, X $00 with pattern 4 x s.
        for (int sprite = 0; sprite < spriteCount; ++sprite)
            text.line(QStringLiteral("\t.byte $D0,$00,$%1,$%2").arg(tms::Hex2(4 * sprite), tms::Hex2(doc.spriteColors[sprite])));
    }
    text.line().line("\t.end");
    return text.bytes();
}

tms::FileResult writeAsmExport(const QString& path, const TileDocument& doc)
{
    return tms::writeWholeFile(path, ExportAsm(doc));
}

} // namespace tile
