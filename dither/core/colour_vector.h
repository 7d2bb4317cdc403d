#pragma once
// Three float channels with the arithmetic that error diffusion and picture fitting need:
// an error carried in light or in display values, a colour's offset from another.

namespace dither {

struct ColourVector {
    float r = 0, g = 0, b = 0;
};

inline ColourVector operator+(ColourVector a, ColourVector b)
{
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
inline ColourVector operator-(ColourVector a, ColourVector b)
{
    return {a.r - b.r, a.g - b.g, a.b - b.b};
}
inline ColourVector operator*(ColourVector a, float f)
{
    return {a.r * f, a.g * f, a.b * f};
}
inline float dot(ColourVector a, ColourVector b)
{
    return a.r * b.r + a.g * b.g + a.b * b.b;
}

} // namespace dither
