// The font file reader and its preview: a file without the signature changes nothing
// and has no preview; a read touches only character patterns; the patterns written to
// a font file and read back into another document are the same wherever they are not
// blank (blank characters are not stored, so they keep the target's patterns).

#include "font_file.h"
#include "fuzz_check.h"
#include "random_document.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdint>

namespace {

tile::TileDocument filledDocument(int seed)
{
    tile::TileDocument doc = testdoc::randomDocument(quint32(seed), false);
    doc.modified = seed % 2;
    return doc;
}

tile::FontLoad load(const QByteArray& bytes, tile::TileDocument& doc)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return tile::loadFontFile(buffer, doc);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv); // the preview paints a picture
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const tile::TileDocument before = filledDocument(3);
    static const tile::TileDocument other = filledDocument(5);
    const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
    // The preview checks the first bytes; reading checks the first line without its CRs.
    const bool signed_ = file.startsWith(tile::fontFileSignature());
    const qsizetype lineEnd = file.indexOf('\n');
    const bool readable = QByteArray(file.left(lineEnd < 0 ? file.size() : lineEnd))
                              .replace('\r', "")
                              .startsWith(tile::fontFileSignature());

    const std::optional<tile::FontPreview> preview = tile::previewFontBytes(file);
    FUZZ_CHECK(preview.has_value() == signed_);
    if (preview)
        FUZZ_CHECK(preview->picture.width() == tile::fontPreviewWidth
                   && preview->picture.height() == tile::fontPreviewHeight);

    tile::TileDocument doc = before;
    const tile::FontLoad result = load(file, doc);
    FUZZ_CHECK(result.ok == readable);
    if (!result.ok) {
        FUZZ_CHECK(doc.sameTablesAs(before) && !result.message.isEmpty());
        return 0;
    }
    FUZZ_CHECK(doc.charColors == before.charColors && doc.nameTable == before.nameTable
               && doc.spritePatterns == before.spritePatterns && doc.modified == before.modified);

    const QByteArray written = tile::fontFileBytes(doc, QStringLiteral("FUZZ"));
    tile::TileDocument again = other;
    FUZZ_CHECK(load(written, again).ok);
    for (int c = 0; c < tile::charCount; ++c) {
        const bool blank = doc.charPatterns[c] == tile::CharRows{};
        FUZZ_CHECK(again.charPatterns[c] == (blank ? other.charPatterns[c] : doc.charPatterns[c]));
    }
    FUZZ_CHECK(tile::fontFileBytes(again, QStringLiteral("FUZZ")).size() >= written.size());
    return 0;
}
