#include "method_comparison.h"

#include "method_controls.h"
#include "result_output.h"

#include <QtConcurrent/QtConcurrentMap>

namespace dither {

QList<ComparisonEntry> comparisonEntries(bool withOrderedError)
{
    QList<ComparisonEntry> entries;
    for (const MethodControl& m : methodControls)
        entries.append({m.method, false});
    if (withOrderedError)
        for (const MethodControl& m : methodControls)
            if (m.group == MethodGroup::Ordered)
                entries.append({m.method, true});
    return entries;
}

QString comparisonCaption(const ComparisonEntry& entry)
{
    const QString caption = methodCaption(entry.method);
    return entry.orderedError ? caption + QStringLiteral(" + Error Diffusion") : caption;
}

QList<QImage> convertAll(const Picture& source, const ConversionSettings& settings,
                         const QList<ComparisonEntry>& entries)
{
    return QtConcurrent::blockingMapped(entries, [&source, &settings](const ComparisonEntry& entry) {
        ConversionSettings own = settings;
        own.method = entry.method;
        own.orderedError = entry.orderedError;
        const auto result = convert(source, own);
        return result ? resultImage(*result) : QImage();
    });
}

} // namespace dither
