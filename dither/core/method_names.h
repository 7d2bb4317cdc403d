#pragma once
// The methods' names on the command line and their menu captions.

#include "conversion.h"

#include <QString>
#include <array>
#include <optional>

namespace dither {

struct MethodName {
    Method method;
    const char* commandLineName;
    const char* caption;
};

extern const std::array<MethodName, 18> methodNames;

std::optional<Method> methodFromCommandLineName(const QString& name);
QString commandLineName(Method method);

} // namespace dither
