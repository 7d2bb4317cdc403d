// DitherWindow: what the window remembers from one run to the next (colours, palette,
// sliders, scaling, method and zoom). Nothing stored yet means the first run's choices.

#include "dither_window.h"

#include "adjustment.h"
#include "method_names.h"

#include <QAction>
#include <QCheckBox>
#include <QScrollBar>
#include <QSettings>

namespace dither {

namespace {

const QString groupName = QStringLiteral("window");

// A colour choice as the console numbers ticked, "1,4,15"; empty when none.
QString colourList(const ColourChoice& colours)
{
    QStringList numbers;
    for (int k = 0; k < 15; ++k)
        if (colours[k])
            numbers << QString::number(k + 1);
    return numbers.join(QLatin1Char(','));
}

ColourChoice colourChoice(const QString& list)
{
    ColourChoice colours{};
    for (const QString& number : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int n = number.toInt();
        if (n >= 1 && n <= 15)
            colours[n - 1] = true;
    }
    return colours;
}

// A stored number inside its range, or the fallback for anything else (a settings file
// edited by hand, or one of another version).
int storedInt(const QSettings& settings, const QString& key, int min, int max, int fallback)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= min && value <= max ? value : fallback;
}

} // namespace

void DitherWindow::rememberSettings()
{
    if (m_restoring)
        return;
    const ConversionSettings current = currentSettings();
    QSettings settings;
    settings.beginGroup(groupName);
    settings.setValue(QStringLiteral("colours"), colourList(current.colours));
    settings.setValue(QStringLiteral("palette"), paletteMode);
    settings.setValue(QStringLiteral("diffusion"), current.diffusion);
    settings.setValue(QStringLiteral("brightness"), current.brightness);
    settings.setValue(QStringLiteral("gamma"), current.gamma);
    settings.setValue(QStringLiteral("resize"), int(resizeMode));
    settings.setValue(QStringLiteral("resolution"), int(resolutionMode));
    settings.setValue(QStringLiteral("method"), lastMethod ? commandLineName(*lastMethod) : QString());
    settings.setValue(QStringLiteral("orderedError"), current.orderedError);
    settings.setValue(QStringLiteral("zoom"), zoom);
}

void DitherWindow::restoreSettings()
{
    QSettings settings;
    settings.beginGroup(groupName);
    if (settings.childKeys().isEmpty()) { // the first run
        m_restoring = false;
        return;
    }
    m_restoring = true;
    const ColourChoice colours = colourChoice(settings.value(QStringLiteral("colours")).toString());
    for (int k = 0; k < 15; ++k)
        colourBoxes[k]->setChecked(colours[k]);
    onPaletteTriggered(storedInt(settings, QStringLiteral("palette"), 0, 1, 0)); // "Palette #3" is switched off
    diffusionSlider->setValue(
        storedInt(settings, QStringLiteral("diffusion"), diffusionMin, diffusionMax, diffusionDefault));
    brightnessSlider->setValue(
        storedInt(settings, QStringLiteral("brightness"), brightnessMin, brightnessMax, brightnessDefault));
    gammaSlider->setValue(storedInt(settings, QStringLiteral("gamma"), gammaMin, gammaMax, gammaDefault));
    onResizeModeTriggered(storedInt(settings, QStringLiteral("resize"), 0, 2, 0));
    onResolutionModeTriggered(storedInt(settings, QStringLiteral("resolution"), 0, 1, 0));
    orderedErrorAction->setChecked(settings.value(QStringLiteral("orderedError")).toBool());
    // The method is taken again without converting: live preview and the save commands
    // use it as they would after a choice in the menu.
    lastMethod = methodFromCommandLineName(settings.value(QStringLiteral("method")).toString());
    onZoomTriggered(storedInt(settings, QStringLiteral("zoom"), 1, 3, 1));
    m_restoring = false;
}

} // namespace dither
