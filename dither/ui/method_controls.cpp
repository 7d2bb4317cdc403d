#include "method_controls.h"

#include "method_names.h"

namespace dither {

const std::array<MethodControl, 18> methodControls = {{
    {Method::Nearest, "menu_nearest", MethodGroup::Nearest},
    {Method::Tritone, "menu_tritone", MethodGroup::Ordered},
    {Method::Ordered5, "menu_ord_level_5", MethodGroup::Ordered},
    {Method::Ordered9, "menu_ord_level_9", MethodGroup::Ordered},
    {Method::Ordered17, "menu_ord_level_17", MethodGroup::Ordered},
    {Method::Ordered17b, "menu_ord_level_17b", MethodGroup::Ordered},
    {Method::Ordered65, "menu_ord_level_65", MethodGroup::Ordered},
    {Method::Ordered257, "menu_ord_level_257", MethodGroup::Ordered},
    {Method::FloydSteinberg, "menu_floyd_steinberg", MethodGroup::ErrorDiffusion},
    {Method::FloydSteinbergFast, "menu_floyd_steinberg_fast", MethodGroup::ErrorDiffusion},
    {Method::FloydSteinberg8x8, "menu_floyd_steinberg_8", MethodGroup::ErrorDiffusion},
    {Method::Burkes, "menu_burkes", MethodGroup::ErrorDiffusion},
    {Method::Stucki, "menu_stucki", MethodGroup::ErrorDiffusion},
    {Method::Sierra, "menu_sierra", MethodGroup::ErrorDiffusion},
    {Method::JarvisJudiceNinke, "menu_jarvis_judice_ninke", MethodGroup::ErrorDiffusion},
    {Method::StevensonArce, "menu_stevenson_arce", MethodGroup::ErrorDiffusion},
    {Method::DbSpecial, "menu_db_special", MethodGroup::ErrorDiffusion, true},
    {Method::TinySpecial, "menu_tiny_special", MethodGroup::ErrorDiffusion},
}};

QString methodCaption(Method method)
{
    for (const MethodName& m : methodNames)
        if (m.method == method)
            return QLatin1String(m.caption);
    return {};
}

bool isOrdered(Method method)
{
    return method >= Method::Tritone;
}

} // namespace dither
