#pragma once
// The side-by-side view's work: the current picture converted by every method at once,
// spread over all cores. Free of widgets, so a benchmark can time it alone.

#include "conversion.h"

#include <QImage>
#include <QList>

namespace dither {

struct ComparisonEntry {
    Method method;
    bool orderedError; // an ordered method with "Using Error Diffusion"
};

// The 18 methods in menu order, then, when asked, the 7 ordered ones with the error carry.
QList<ComparisonEntry> comparisonEntries(bool withOrderedError);
QString comparisonCaption(const ComparisonEntry& entry);

// The result pictures in the order of entries; null images when fewer than two colours
// are chosen. Each conversion runs on its own thread of the global pool.
QList<QImage> convertAll(const Picture& source, const ConversionSettings& settings,
                         const QList<ComparisonEntry>& entries);

} // namespace dither
