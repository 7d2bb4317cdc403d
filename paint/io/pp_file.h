#pragma once
// Reading and writing PowerPaint pictures (.pp, 10240 or 40960 bytes) as whole files:
// a refused or failed read leaves the picture as it was, and a write replaces the old
// file only when the new one is complete.

#include "atomic_file.h"
#include "picture.h"

namespace paint {

// The refusal of a file whose length is neither 10240 nor 40960.
QString notPowerPaintMessage();

bool isPowerPaintLength(qint64 length);

// Loads path into picture. A 10K file leaves rows 20..23 and columns 30..31 as they
// were. fullScreenFile receives the file's size (true = 40K) on success only.
tms::FileResult loadPowerPaintFile(const QString& path, Picture& picture, bool& fullScreenFile);

// The file's bytes: a 10K (fullScreenFile false) or 40K file.
QByteArray ppFileBytes(const Picture& picture, bool fullScreenFile);

// True when the picture shows anything outside the top-left 240 x 160 pixels (30 x 20
// characters), the part that a 10K file holds: a pixel whose colour is not the
// background of a cleared picture.
bool drawsOutsideTenK(const Picture& picture);

// Writes the picture as a 10K (fullScreenFile false) or 40K file.
tms::FileResult savePowerPaintFile(const QString& path, const Picture& picture, bool fullScreenFile);

} // namespace paint
