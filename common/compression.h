#pragma once
// The table codecs by name, for the exports: every export takes one of these and
// compresses each of its tables with it. A new codec is one module and one entry here.

#include <QString>

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tms {

enum class Compression { None, Rle, Zx0, Pletter };

// "none", "rle", "zx0", "pletter" (the command line's words), nullopt for any other.
std::optional<Compression> compressionNamed(const QString& name);
QString compressionName(Compression compression);

std::vector<std::uint8_t> compress(Compression compression, std::span<const std::uint8_t> table);

// Appended to a compressed table's file name: "", ".rle", ".zx0", ".plet".
QString compressedFileSuffix(Compression compression);
// Appended to a compressed table's name in sources: "", "RLE", "ZX0", "PLET".
QString compressedNameSuffix(Compression compression);

} // namespace tms
