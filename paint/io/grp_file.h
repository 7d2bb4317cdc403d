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

#include "atomic_file.h"
#include "picture.h"

namespace paint {

constexpr qsizetype grpFileSize = 16391;

QByteArray grpHeader();

QString notGrpMessage();       // "Not a valid MSX Mode 2 GRP file (16K)"
QString notGrpHeaderMessage(); // "Not an authorized MSX Header file"

// The import dialog's check: the length, then the header. Returns the refusal, or an empty text.
QString checkGRPFile(const QString& path);

QByteArray encodeGRP(const Picture& picture);
// Reads the pattern and colour tables; the file's name table is not applied. Returns
// the refusal message, the picture untouched, for a wrong length or header.
QString decodeGRP(const QByteArray& data, Picture& picture);

tms::FileResult ChargeGRPFile(const QString& path, Picture& picture);
tms::FileResult saveGRPFile(const QString& path, const Picture& picture);

} // namespace paint
