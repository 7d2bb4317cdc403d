// DitherWindow: colours, sliders, the methods, live preview and the comparison window.

#include "dither_window.h"

#include "compare_window.h"
#include "method_controls.h"
#include "palettes.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "result_output.h"
#include "window_aids.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>
#include <QSettings>

#include <algorithm>

namespace dither {

namespace {

// A slider's value label: a blank in the sign position of a non-negative number.
QString valueLabel(int value)
{
    return (value >= 0 ? QStringLiteral(" ") : QString()) + QString::number(value) + QLatin1Char('%');
}

} // namespace

void DitherWindow::applyPalette()
{
    palette = dither::presetPalette(paletteMode);
    drawSwatches();
}

void DitherWindow::drawSwatches()
{
    const int W = swatchWidth, H = swatchHeight;
    swatchImage = QImage(W, H, QImage::Format_RGB32);
    swatchImage.fill(QWidget::palette().color(QPalette::Window));
    for (int n = 1; n <= 15; ++n)
        tms::fillBlock(swatchImage, 0, ((n - 1) * H) / 15, W, H / 15, palette[n]);
    swatchView->present(swatchImage);
}

void DitherWindow::onSwatchesMouseDown(int Button, int, double, double Y)
{
    if (Button != 1)
        return;
    const int k = std::clamp(int(Y) / (swatchHeight / 15), 0, 14);
    colourBoxes[k]->setChecked(!colourBoxes[k]->isChecked());
}

void DitherWindow::onPaletteTriggered(int Index)
{
    const bool alreadyChecked = paletteMode == Index;
    paletteMode = Index;
    for (int i = 0; i < 3; ++i)
        paletteActions[i]->setChecked(i == Index);
    if (alreadyChecked)
        return;
    applyPalette();
    settingChanged();
}

void DitherWindow::onSelectAllColoursTriggered()
{
    for (QCheckBox* box : colourBoxes)
        box->setChecked(true);
}

void DitherWindow::onUnselectAllColoursTriggered()
{
    for (QCheckBox* box : colourBoxes)
        box->setChecked(false);
}

void DitherWindow::onDiffusionChanged()
{
    sliderValueLabels[0]->setText(valueLabel(diffusionSlider->value()));
    settingChanged();
}

void DitherWindow::onBrightnessChanged()
{
    sliderValueLabels[1]->setText(valueLabel(brightnessSlider->value() + 100));
    settingChanged();
}

void DitherWindow::onGammaChanged()
{
    sliderValueLabels[2]->setText(valueLabel(gammaSlider->value()));
    settingChanged();
}

ConversionSettings DitherWindow::currentSettings() const
{
    ConversionSettings settings;
    settings.method = lastMethod.value_or(Method::FloydSteinberg);
    settings.orderedError = orderedErrorAction->isChecked();
    settings.paletteMode = paletteMode;
    for (int k = 0; k < 15; ++k)
        settings.colours[k] = colourBoxes[k]->isChecked();
    settings.gamma = gammaSlider->value();
    settings.brightness = brightnessSlider->value();
    settings.diffusion = diffusionSlider->value();
    return settings;
}

void DitherWindow::onMethodTriggered(Method method)
{
    lastMethod = method;
    rememberSettings();
    convertWith(method, true);
}

void DitherWindow::onOrderedErrorDiffusionToggled()
{
    settingChanged(); // the mark itself was inverted by the menu
}

void DitherWindow::convertWith(Method method, bool withProgress)
{
    if (m_converting) {
        m_pendingConversion = {method, withProgress};
        return;
    }
    m_converting = true;
    runConversion(method, withProgress);
    while (m_pendingConversion) {
        const auto [next, progress] = *m_pendingConversion;
        m_pendingConversion.reset();
        runConversion(next, progress);
    }
    m_converting = false;
}

void DitherWindow::runConversion(Method method, bool withProgress)
{
    ConversionSettings settings = currentSettings();
    settings.method = method;
    ProgressCallback progress;
    if (withProgress)
        progress = [this](std::optional<int> line) {
            if (line)
                status->setText(lineStatusText(*line));
            QCoreApplication::processEvents();
        };
    std::optional<ConversionResult> conversion = convert(sourcePicture, settings, progress);
    if (!conversion) {
        status->setText(selectMoreColors);
        return;
    }
    result = std::move(*conversion);
    converted = true;
    ++conversionsRun;
    showPicture(resultImage(result));
    status->setText(conversionDone);
    setWindowModified(true); // a conversion not yet handed on
}

bool DitherWindow::livePreview() const
{
    return livePreviewAction->isChecked();
}

void DitherWindow::onLivePreviewToggled()
{
    QSettings().setValue(livePreviewKey, livePreview());
    settingChanged();
}

void DitherWindow::settingChanged()
{
    rememberSettings();
    // Without live preview nothing is recomputed until a method is chosen.
    if (livePreview())
        livePreviewTimer.start();
}

void DitherWindow::runLivePreview()
{
    if (!livePreview())
        return;
    if (lastMethod)
        convertWith(*lastMethod, false);
    if (m_compare && m_compare->isVisible())
        m_compare->showPictures(sourcePicture, currentSettings());
}

void DitherWindow::onCompareMethodsTriggered()
{
    const bool firstUse = !m_compare;
    if (firstUse) {
        m_compare = new CompareMethodsWindow(this);
        connect(m_compare, &CompareMethodsWindow::methodChosen, this, [this](Method method, bool orderedError) {
            if (isOrdered(method))
                orderedErrorAction->setChecked(orderedError);
            onMethodTriggered(method);
        });
    }
    m_compare->showPictures(sourcePicture, currentSettings());
    if (firstUse) // beside the window, not over the picture it compares
        tms::placeBeside(m_compare, this);
    m_compare->show();
    m_compare->raise();
}

} // namespace dither
