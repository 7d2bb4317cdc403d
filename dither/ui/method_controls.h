#pragma once
// The menu control of each dithering method, in the order of the menus.

#include "conversion.h"

#include <array>

namespace dither {

enum class MethodGroup { Nearest, Ordered, ErrorDiffusion };

struct MethodControl {
    Method method;
    const char* controlName; // "menu_floyd_steinberg"
    MethodGroup group;
    bool separatorBefore = false;
};

extern const std::array<MethodControl, 18> methodControls;

QString methodCaption(Method method);
bool isOrdered(Method method);

} // namespace dither
