#include "asm_export.h"

#include "hex.h"
#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

void writeLabelled(tms::CrLfText& text, const char* label, const std::vector<Byte>& values)
{
    text.line().line(label);
    tms::writeAsmDataLines(text, values);
}

// The banner above the tables; the screen mode 1 edition has the seven lines of the
// paint program's sources.
void writeBanner(tms::CrLfText& text, Edition edition)
{
    if (edition == Edition::ScreenMode1) {
        tms::writeAsmBanner(text);
        return;
    }
    text.line("; ********************************************")
        .line("; *                                          *")
        .line("; *     GRAPHICS TABLES                      *")
        .line("; *                                          *")
        .line("; *     GENERATED WITH                       *")
        .line("")
        .line("; *                                          *")
        .line("; ********************************************");
}

} // namespace

QByteArray ExportAsm(const TileDocument& doc)
{
    tms::CrLfText text;
    writeBanner(text, doc.edition);
    text.line(); // closes the banner
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
