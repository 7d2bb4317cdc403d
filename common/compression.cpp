#include "compression.h"

#include "pletter.h"
#include "rle.h"
#include "zx0.h"

namespace tms {

namespace {

struct CodecName {
    Compression compression;
    const char* word;
    const char* fileSuffix;
    const char* nameSuffix;
};

constexpr CodecName codecs[] = {
    {Compression::None, "none", "", ""},
    {Compression::Rle, "rle", ".rle", "RLE"},
    {Compression::Zx0, "zx0", ".zx0", "ZX0"},
    {Compression::Pletter, "pletter", ".plet", "PLET"},
};

const CodecName& entry(Compression compression)
{
    for (const CodecName& codec : codecs)
        if (codec.compression == compression)
            return codec;
    return codecs[0];
}

} // namespace

std::optional<Compression> compressionNamed(const QString& name)
{
    for (const CodecName& codec : codecs)
        if (name == QLatin1String(codec.word))
            return codec.compression;
    return std::nullopt;
}

QString compressionName(Compression compression)
{
    return QLatin1String(entry(compression).word);
}

std::vector<std::uint8_t> compress(Compression compression, std::span<const std::uint8_t> table)
{
    switch (compression) {
    case Compression::Rle: return RleEncode(table);
    case Compression::Zx0: return zx0::encode(table);
    case Compression::Pletter: return pletter::encode(table);
    case Compression::None: break;
    }
    return {table.begin(), table.end()};
}

QString compressedFileSuffix(Compression compression)
{
    return QLatin1String(entry(compression).fileSuffix);
}
QString compressedNameSuffix(Compression compression)
{
    return QLatin1String(entry(compression).nameSuffix);
}

} // namespace tms
