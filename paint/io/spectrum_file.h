#pragma once
// ZX Spectrum screens into the picture. Both machines have a 256x192 bitmap with two
// colours per 8 pixels, so the geometry is exact: the Spectrum's interleaved bitmap
// is put in row order, and each attribute becomes a colour byte (ink = foreground,
// paper = background) through a fixed map onto the console's colours.
//   .scr  6912 bytes: bitmap, then one attribute per 8x8 cell
//   .mlt 12288 bytes: bitmap, then one attribute per 8-pixel row, in screen line order

#include "atomic_file.h"
#include "picture.h"

#include <array>
#include <cstdint>

namespace paint {

constexpr qsizetype scrFileSize = 6912;
constexpr qsizetype mltFileSize = 12288;

// Console colour of Spectrum colour 0..7, plus 8 when bright.
extern const std::array<std::uint8_t, 16> spectrumColorMap;

// Colour byte of a Spectrum attribute (flash ignored).
std::uint8_t spectrumAttributeColor(std::uint8_t attribute);

QString notScrMessage(); // "Not a valid Spectrum SCR file (6K)"
QString notMltMessage(); // "Not a valid Spectrum MLT file (12K)"

// The import dialog's check: a name whose lower-cased last three characters are "scr"
// must be 6912 bytes long, any other name 12288. Returns the refusal, or an empty text.
QString checkSpectrumFile(const QString& path);

// Whole-file decoders: false, and the picture untouched, when data has the wrong length.
bool decodeSCR(const QByteArray& data, Picture& picture);
bool decodeMLT(const QByteArray& data, Picture& picture);

// Load a file into the picture; a refused or unreadable file leaves it as it was.
tms::FileResult loadScrFile(const QString& path, Picture& picture);
tms::FileResult loadMltFile(const QString& path, Picture& picture);
// The one of the two that checkSpectrumFile checks the file for (by the name's end, so
// that a folder called "x.scr" does not count).
tms::FileResult loadSpectrumFile(const QString& path, Picture& picture);

} // namespace paint
