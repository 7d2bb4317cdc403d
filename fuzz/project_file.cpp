// The tile editor's project reader (both editions' files): a refused file leaves the
// document as it was; what is read, written and read again into another document
// gives the same tables and the same bytes.

#include "fuzz_check.h"
#include "project_file.h"

#include <QBuffer>
#include <cstdint>

namespace {

// A document whose every table differs from the reset values and from a second one.
tile::TileDocument filledDocument(int seed)
{
    tile::TileDocument doc;
    std::uint32_t state = std::uint32_t(seed) * 2654435761u + 1;
    auto next = [&] { return tile::Byte((state = state * 1103515245u + 12345u) >> 24); };
    for (auto& rows : doc.charPatterns)
        for (auto& b : rows) b = next();
    for (auto& rows : doc.charColors)
        for (auto& b : rows) b = next();
    for (auto& column : doc.nameTable)
        for (auto& b : column) b = next();
    for (auto& sprite : doc.spritePatterns)
        for (auto& b : sprite) b = next();
    for (auto& b : doc.spriteColors) b = next();
    doc.modified = true;
    return doc;
}

tile::ProjectLoad load(const QByteArray& bytes, tile::TileDocument& doc)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return tile::LoadProject(buffer, doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const tile::TileDocument before = filledDocument(1);
    static const tile::TileDocument other = filledDocument(2);
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));

    tile::TileDocument doc = before;
    const tile::ProjectLoad result = load(file, doc);
    if (result.outcome == tile::ProjectLoad::Outcome::Refused) {
        FUZZ_CHECK(doc.sameTablesAs(before) && doc.modified);
        FUZZ_CHECK(!result.message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(!doc.modified && result.valuesStored > 0);
    FUZZ_CHECK(result.ok() == result.message.isEmpty());

    const QByteArray written = tile::projectFileBytes(doc);
    FUZZ_CHECK(written.size() == tile::projectLineCount * tile::projectRecordLength);
    tile::TileDocument again = other;
    FUZZ_CHECK(load(written, again).ok());
    FUZZ_CHECK(again.sameTablesAs(doc));
    FUZZ_CHECK(tile::projectFileBytes(again) == written);
    return 0;
}
