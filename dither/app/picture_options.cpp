#include "picture_options.h"

#include "adjustment.h"
#include "method_names.h"

#include <QStringList>
#include <optional>

namespace dither {

namespace {

// An integer option within [low, high]; nullopt when the text is not such a number.
std::optional<int> integerIn(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<ColourChoice> colourList(const QString& text)
{
    if (text.trimmed() == QLatin1String("all"))
        return allColours();
    ColourChoice choice{};
    for (const QString& item : text.split(QLatin1Char(','))) {
        const auto colour = integerIn(item, 1, 15);
        if (!colour)
            return std::nullopt;
        choice[*colour - 1] = true;
    }
    return choice;
}

QString readMethod(const QString& text, PictureImportSettings& settings)
{
    const auto method = methodFromCommandLineName(text);
    if (!method)
        return QStringLiteral("Unknown method \"%1\"; choose one of %2").arg(text, methodList());
    settings.method = *method;
    return {};
}

QString readColours(const QString& text, PictureImportSettings& settings)
{
    const auto colours = colourList(text);
    if (!colours)
        return QStringLiteral("--colors takes \"all\" or a list of colours 1..15 such as 1,4,6,15");
    settings.colours = *colours;
    return {};
}

QString readResize(const QString& text, PictureImportSettings& settings)
{
    if (text == QLatin1String("none"))
        settings.resize = ResizeMode::NoResize;
    else if (text == QLatin1String("stretch"))
        settings.resize = ResizeMode::Stretch;
    else if (text == QLatin1String("aspect"))
        settings.resize = ResizeMode::RespectAspectRatio;
    else
        return QStringLiteral("--resize takes none, stretch or aspect");
    return {};
}

template <int PictureImportSettings::*field, int low, int high>
QString readPercent(const char* name, const QString& text, PictureImportSettings& settings)
{
    const auto value = integerIn(text, low, high);
    if (!value)
        return QStringLiteral("--%1 takes a whole number from %2 to %3").arg(QLatin1String(name)).arg(low).arg(high);
    settings.*field = *value;
    return {};
}

} // namespace

QString methodList()
{
    QStringList names;
    for (const MethodName& m : methodNames)
        names << QLatin1String(m.commandLineName);
    return names.join(QStringLiteral(", "));
}

const std::array<PictureOption, 6>& pictureOptions()
{
    static const std::array<PictureOption, 6> options = {{
        {"method", "NAME", readMethod},
        {"colors", "LIST", readColours},
        {"resize", "MODE", readResize},
        {"gamma", "PERCENT",
         [](const QString& t, PictureImportSettings& s) {
        return readPercent<&PictureImportSettings::gamma, gammaMin, gammaMax>("gamma", t, s);
         }},
        {"brightness", "VALUE",
         [](const QString& t, PictureImportSettings& s) {
        return readPercent<&PictureImportSettings::brightness, brightnessMin, brightnessMax>("brightness", t, s);
         }},
                                                         {"diffusion", "PERCENT",
                                                          [](const QString& t, PictureImportSettings& s) {
        return readPercent<&PictureImportSettings::diffusion, diffusionMin, diffusionMax>("diffusion", t, s);
                                                          }},
                                              }};
    return options;
}

const std::array<PictureFlag, 1>& pictureFlags()
{
    static const std::array<PictureFlag, 1> flags = {{
        {"linear-light", "Error-diffusion methods measure and spread the error in linear light.",
         &PictureImportSettings::linearLight},
    }};
    return flags;
}

} // namespace dither
