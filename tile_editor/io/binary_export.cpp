#include "binary_export.h"

#include "table_order.h"

namespace tile {

std::vector<tms::BinaryTable> binaryTables(const TileDocument& doc)
{
    return {{QStringLiteral(".nam"), nameTableBytes(doc)},
            {QStringLiteral(".pat"), patternBytes(doc)},
            {QStringLiteral(".col"), colorBytes(doc)},
            {QStringLiteral(".spr"), spritePatternBytes(doc)},
            {QStringLiteral(".spc"), std::vector<Byte>(doc.spriteColors.begin(), doc.spriteColors.end())}};
}

tms::batch::Outputs binaryExportFiles(const QString& prefix, const TileDocument& doc, tms::Compression compression)
{
    return tms::binaryTableOutputs(prefix, binaryTables(doc), compression);
}

} // namespace tile
