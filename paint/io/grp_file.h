#pragma once
// MSX screen 2 pictures (.grp): a 7-byte BSAVE header and the first 16 KB of video
// memory. The picture's tables already are the mode 2 pattern and colour tables for
// a name table that counts 0..255 in each third, so both directions are copies at
// fixed offsets:
//   0      header 254, 0, 0, 255, 63, 0, 0 (type, start 0000, end 3FFF, run 0000)
//   7      pattern table (6144)
//   6151   name table (768): i mod 256
//   6919   208 (end of the sprite list), then 1279 zeros
//   8199   colour table (6144)
//   14343  2048 zeros
// The shorter SC2 layout (14343 bytes, header 254, 0, 0, 255, 55, 0, 0: end 37FF) stops
// before the sprite patterns; other paint tools write it, and it is read as well.

#include "atomic_file.h"
#include "picture.h"

namespace paint {

constexpr qsizetype grpFileSize = 16391;
constexpr qsizetype sc2FileSize = 14343;

QByteArray grpHeader();
QByteArray sc2Header();

QString notGrpMessage();       // "Not a valid MSX Mode 2 GRP file (16K)"
QString notGrpHeaderMessage(); // "Not an authorized MSX Header file"
QString notSc2Message();       // a file named .sc2 of neither length

// The import dialog's check: the length, then the header. Returns the refusal, or an empty text.
QString checkGRPFile(const QString& path);
// The same for a file named .sc2, whose wrong length is told with notSc2Message().
QString checkSC2File(const QString& path);

QByteArray encodeGRP(const Picture& picture);
QByteArray encodeSC2(const Picture& picture);
// Reads the pattern and colour tables of either layout; the file's name table is not
// applied. Returns the refusal message, the picture untouched, for a wrong length or
// a header that does not match the length.
QString decodeGRP(const QByteArray& data, Picture& picture);

// Either layout; a wrong length is refused with notGrpMessage().
tms::FileResult loadGrpFile(const QString& path, Picture& picture);
// The same for a file named .sc2: a wrong length is refused with notSc2Message().
tms::FileResult loadSc2File(const QString& path, Picture& picture);
tms::FileResult saveGRPFile(const QString& path, const Picture& picture);

} // namespace paint
