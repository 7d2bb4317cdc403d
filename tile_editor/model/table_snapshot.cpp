#include "table_snapshot.h"

#include <cstring>

namespace tile {

namespace {

// Every table, in a fixed order; each one is a contiguous block of bytes.
template <typename Visit>
void forEachTable(TileDocument& document, Visit visit)
{
    visit(document.charPatterns.data(), sizeof document.charPatterns);
    visit(document.charColors.data(), sizeof document.charColors);
    visit(document.groupColors.data(), sizeof document.groupColors);
    visit(document.nameTable.data(), sizeof document.nameTable);
    visit(document.spritePatterns.data(), sizeof document.spritePatterns);
    visit(document.spriteColors.data(), sizeof document.spriteColors);
}

} // namespace

QByteArray tableBytes(const TileDocument& document)
{
    QByteArray bytes;
    forEachTable(const_cast<TileDocument&>(document), [&](const void* table, std::size_t size) {
        bytes.append(static_cast<const char*>(table), qsizetype(size));
    });
    return bytes;
}

void setTableBytes(TileDocument& document, const QByteArray& bytes)
{
    if (bytes.size() != tableBytes(document).size())
        return;
    qsizetype at = 0;
    forEachTable(document, [&](void* table, std::size_t size) {
        std::memcpy(table, bytes.constData() + at, size);
        at += qsizetype(size);
    });
}

} // namespace tile
