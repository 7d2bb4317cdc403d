#include "method_names.h"

namespace dither {

const std::array<MethodName, 18> methodNames = {{
    {Method::Nearest, "nearest", "Nearest"},
    {Method::FloydSteinberg, "floyd-steinberg", "Floyd-Steinberg"},
    {Method::FloydSteinbergFast, "floyd-steinberg-fast", "Floyd-Steinberg (fast)"},
    {Method::FloydSteinberg8x8, "floyd-steinberg-8x8", "Floyd-Steinberg 8x8"},
    {Method::Burkes, "burkes", "Burkes"},
    {Method::Stucki, "stucki", "Stucki"},
    {Method::Sierra, "sierra", "Sierra"},
    {Method::JarvisJudiceNinke, "jarvis-judice-ninke", "Jarvis, Judice and Ninke"},
    {Method::StevensonArce, "stevenson-arce", "Stevenson and Arce"},
    {Method::DbSpecial, "db-special", "DB Special"},
    {Method::TinySpecial, "tiny-special", "Tiny Special"},
    {Method::Tritone, "tritone", "Tritone"},
    {Method::Ordered5, "ordered-5", "Ordered level 5"},
    {Method::Ordered9, "ordered-9", "Ordered level 9"},
    {Method::Ordered17, "ordered-17", "Ordered level 17"},
    {Method::Ordered17b, "ordered-17b", "Ordered level 17b"},
    {Method::Ordered65, "ordered-65", "Ordered level 65"},
    {Method::Ordered257, "ordered-257", "Ordered level 257"},
}};

std::optional<Method> methodFromCommandLineName(const QString& name)
{
    for (const MethodName& m : methodNames)
        if (name == QLatin1String(m.commandLineName))
            return m.method;
    return std::nullopt;
}

QString commandLineName(Method method)
{
    for (const MethodName& m : methodNames)
        if (m.method == method)
            return QLatin1String(m.commandLineName);
    return {};
}

} // namespace dither
