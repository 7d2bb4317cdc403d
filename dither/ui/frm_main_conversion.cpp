// frm_main: colours, sliders, the methods, live preview and the comparison window.

#include "frm_main.h"

#include "compare_window.h"
#include "method_controls.h"
#include "palettes.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "result_output.h"

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

void frm_main::init_palette()
{
    palette = dither::init_palette(palette_mode);
    drawSwatches();
}

void frm_main::drawSwatches()
{
    const int W = swatchWidth, H = swatchHeight;
    Picture4 = QImage(W, H, QImage::Format_RGB32);
    Picture4.fill(QWidget::palette().color(QPalette::Window));
    for (int n = 1; n <= 15; ++n)
        tms::fillBlock(Picture4, 0, ((n - 1) * H) / 15, W, H / 15, palette[n]);
    Picture3->present(Picture4);
}

void frm_main::Picture3_MouseDown(int Button, int, double, double Y)
{
    if (Button != 1)
        return;
    const int k = std::clamp(int(Y) / (swatchHeight / 15), 0, 14);
    chk_palette[k]->setChecked(!chk_palette[k]->isChecked());
}

void frm_main::menu_palette_data_Click(int Index)
{
    const bool alreadyChecked = palette_mode == Index;
    palette_mode = Index;
    for (int i = 0; i < 3; ++i)
        menu_palette_data[i]->setChecked(i == Index);
    if (alreadyChecked)
        return;
    init_palette();
    settingChanged();
}

void frm_main::menu_color_select_all_Click()
{
    for (QCheckBox* box : chk_palette)
        box->setChecked(true);
}

void frm_main::menu_color_unselect_all_Click()
{
    for (QCheckBox* box : chk_palette)
        box->setChecked(false);
}

void frm_main::HScroll1_Change()
{
    Label_HScroll_Top[0]->setText(valueLabel(HScroll1->value()));
    settingChanged();
}

void frm_main::HScroll2_Change()
{
    Label_HScroll_Top[1]->setText(valueLabel(HScroll2->value() + 100));
    settingChanged();
}

void frm_main::HScroll3_Change()
{
    Label_HScroll_Top[2]->setText(valueLabel(HScroll3->value()));
    settingChanged();
}

ConversionSettings frm_main::currentSettings() const
{
    ConversionSettings settings;
    settings.method = lastMethod.value_or(Method::FloydSteinberg);
    settings.orderedError = menu_ord_error_diffusion->isChecked();
    settings.palette_mode = palette_mode;
    for (int k = 0; k < 15; ++k)
        settings.colours[k] = chk_palette[k]->isChecked();
    settings.gamma = HScroll3->value();
    settings.brightness = HScroll2->value();
    settings.diffusion = HScroll1->value();
    settings.linearLight = menu_linear_light->isChecked();
    return settings;
}

void frm_main::menu_method_Click(Method method)
{
    lastMethod = method;
    convertWith(method, true);
}

void frm_main::menu_ord_error_diffusion_Click()
{
    settingChanged(); // the mark itself was inverted by the menu
}

void frm_main::convertWith(Method method, bool withProgress)
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

void frm_main::runConversion(Method method, bool withProgress)
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
    std::optional<ConversionResult> conversion = convert(source_image, settings, progress);
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

bool frm_main::livePreview() const
{
    return menu_live_preview->isChecked();
}

void frm_main::menu_live_preview_Click()
{
    QSettings().setValue(livePreviewKey, livePreview());
    settingChanged();
}

void frm_main::settingChanged()
{
    // Without live preview nothing is recomputed until a method is chosen.
    if (livePreview())
        Timer_LivePreview.start();
}

void frm_main::livePreview_Timer()
{
    if (!livePreview())
        return;
    if (lastMethod)
        convertWith(*lastMethod, false);
    if (m_compare && m_compare->isVisible())
        m_compare->showPictures(source_image, currentSettings());
}

void frm_main::menu_compare_methods_Click()
{
    if (!m_compare) {
        m_compare = new CompareMethodsWindow(this);
        connect(m_compare, &CompareMethodsWindow::methodChosen, this, [this](Method method, bool orderedError) {
            if (isOrdered(method))
                menu_ord_error_diffusion->setChecked(orderedError);
            menu_method_Click(method);
        });
    }
    m_compare->showPictures(source_image, currentSettings());
    m_compare->show();
    m_compare->raise();
}

} // namespace dither
