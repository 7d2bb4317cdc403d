// The tile editor's project reader, in both editions (the input's length chooses): a
// refused file leaves the document as it was; what is read, written and read again
// into another document gives the same tables and the same bytes.

#include "project_file.h"
#include "fuzz_check.h"
#include "random_document.h"

#include <QBuffer>
#include <cstdint>

namespace {

// A document whose every table differs from the reset values and from another seed's;
// each edition fills only its own form of colours (row colours or group colours).
tile::TileDocument filledDocument(int seed, tile::Edition edition)
{
    tile::TileDocument doc = testdoc::randomDocument(quint32(seed), true, edition);
    doc.modified = true;
    return doc;
}

tile::ProjectLoad load(const QByteArray& bytes, tile::TileDocument& doc)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return tile::loadProject(buffer, doc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto edition = size % 2 ? tile::Edition::ScreenMode1 : tile::Edition::ScreenMode2;
    static const tile::TileDocument befores[] = {filledDocument(1, tile::Edition::ScreenMode2),
                                                 filledDocument(1, tile::Edition::ScreenMode1)};
    static const tile::TileDocument others[] = {filledDocument(2, tile::Edition::ScreenMode2),
                                                filledDocument(2, tile::Edition::ScreenMode1)};
    const tile::TileDocument& before = befores[size % 2];
    const tile::TileDocument& other = others[size % 2];
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
    const int lines = edition == tile::Edition::ScreenMode2 ? tile::projectLineCount : tile::projectLineCount - 126;
    FUZZ_CHECK(written.size() == lines * tile::projectRecordLength);
    tile::TileDocument again = other;
    FUZZ_CHECK(load(written, again).ok());
    FUZZ_CHECK(again.sameTablesAs(doc));
    FUZZ_CHECK(tile::projectFileBytes(again) == written);
    return 0;
}
