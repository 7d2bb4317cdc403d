#pragma once
// One conversion of a 256x192 picture into screen mode 2 tables: the settings a user
// chooses, the result, and the progress points a window listens to.

#include "palettes.h"
#include "picture.h"
#include "powerpaint.h"

#include <QString>
#include <functional>
#include <optional>

namespace dither {

enum class Method {
    Nearest,
    FloydSteinberg,
    FloydSteinbergFast,
    FloydSteinberg8x8,
    Burkes,
    Stucki,
    Sierra,
    JarvisJudiceNinke,
    StevensonArce,
    DbSpecial,
    TinySpecial,
    Tritone,
    Ordered5,
    Ordered9,
    Ordered17,
    Ordered17b,
    Ordered65,
    Ordered257,
};

constexpr int diffusionMin = 0, diffusionMax = 100, diffusionDefault = 75;

struct ConversionSettings {
    Method method = Method::FloydSteinberg;
    bool orderedError = false; // "Using Error Diffusion" of the ordered methods
    int paletteMode = 0;
    ColourChoice colours = allColours();
    int gamma = 100;                  // percent, 10..190
    int brightness = 0;               // -100..100
    int diffusion = diffusionDefault; // percent, 0..100
    bool linearLight = false;         // the error-diffusion methods diffuse in linear light (linear_light.h)
};

struct ConversionResult {
    Picture picture = blackPicture();
    tms::BitmapTable patternTable{};
    tms::BitmapTable colourTable{};
};

// Called where the window updates its status and lets pending events through: with the
// line number to show after "line#", or with nullopt where events only pass (after each
// segment's block search of the 8x8 method).
using ProgressCallback = std::function<void(std::optional<int> line)>;

// "line#" and the number with a blank in the sign position: "line# 5".
QString lineStatusText(int line);

inline const QString selectMoreColors = QStringLiteral("Select more colors");
inline const QString conversionDone = QStringLiteral("Done");

// Converts source (256x192 colour values). Returns nullopt when fewer than two colours
// are chosen (the caller shows selectMoreColors and keeps its previous result).
std::optional<ConversionResult> convert(const Picture& source, const ConversionSettings& settings,
                                        const ProgressCallback& progress = {});

} // namespace dither
