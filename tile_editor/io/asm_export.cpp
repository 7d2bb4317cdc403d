#include "asm_export.h"

#include "table_order.h"
#include "text_writer.h"

namespace tile {

namespace {

// The banner above the tables; the screen mode 1 edition has the seven lines of the
// paint program's sources.
QStringList banner(Edition edition)
{
    if (editionTraits(edition).paintProgramAsmBanner)
        return tms::asmBannerLines();
    return {QStringLiteral("; ********************************************"),
            QStringLiteral("; *                                          *"),
            QStringLiteral("; *     GRAPHICS TABLES                      *"),
            QStringLiteral("; *                                          *"),
            QStringLiteral("; *     GENERATED WITH                       *"),
            QString(),
            QStringLiteral("; *                                          *"),
            QStringLiteral("; ********************************************")};
}

} // namespace

QByteArray exportAsm(const TileDocument& doc, AsmExportOptions options)
{
    return tms::asmTablesSource(options.syntax, {banner(doc.edition), true},
                                sourceTables(doc, options.compression, TableTarget::Assembler));
}

tms::FileResult writeAsmExport(const QString& path, const TileDocument& doc, AsmExportOptions options)
{
    return tms::writeWholeFile(path, exportAsm(doc, options));
}

} // namespace tile
