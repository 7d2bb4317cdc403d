// DitherWindow: construction, the fixed layout and the menus.

#include "dither_window.h"

#include "adjustment.h"
#include "compare_window.h"
#include "file_drop.h"
#include "image_resize.h"
#include "method_controls.h"
#include "pixel_view.h"
#include "qt_user_dialogs.h"
#include "result_output.h"
#include "screen_size.h"
#include "wrapping_button.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QSettings>

namespace dither {

namespace {

// The client area at zoom 1x; a zoom enlarges the picture and moves the rest aside.
constexpr int clientWidth = 328, clientHeight = 415;

// Where the three slider rows sit: caption label y and slider y, top to bottom.
constexpr std::array<int, 3> captionY = {272, 320, 368};
constexpr std::array<int, 3> sliderY = {296, 344, 392};
constexpr int sliderX = 56, sliderWidth = 225, sliderHeight = 17;

QAction* namedAction(QMenu* menu, const QString& caption, const char* name)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QLatin1String(name));
    return action;
}

QLabel* namedLabel(const QString& text, const QString& name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

DitherWindow::DitherWindow(tms::UserDialogs* dialogs, QWidget* parent) : QMainWindow(parent), m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<tms::QtUserDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    showFileDialog = [this](const FileDialogRequest& request) { return runFileDialog(request, *m_dialogs, this); };
    setObjectName(QStringLiteral("frm_main"));
    showTitle();
    tms::acceptFileDrops(this, {}, [this](const QString& path) { loadPicture(path); }); // any picture file
    livePreviewTimer.setObjectName(QStringLiteral("Timer_LivePreview"));
    livePreviewTimer.setSingleShot(true);
    livePreviewTimer.setInterval(0);
    connect(&livePreviewTimer, &QTimer::timeout, this, [this] { runLivePreview(); });
    buildControls();
    buildMenus();
    placeControls();
    showLoadPrompt();
    restoreSettings();
    livePreviewTimer.stop(); // taking back the last run's choices is no change to preview
}

DitherWindow::~DitherWindow() = default;

void DitherWindow::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    pictureView = new tms::PixelView(QStringLiteral("Picture1"), QSize(tms::screenWidth, tms::screenHeight), client);
    pictureView->installEventFilter(this);

    swatchView = new tms::PixelView(QStringLiteral("Picture3"), QSize(swatchWidth, swatchHeight), client);
    connect(swatchView, &tms::PixelView::mouseDown, this,
            [this](int button, int shift, double x, double y) { onSwatchesMouseDown(button, shift, x, y); });

    for (int k = 0; k < 15; ++k) {
        colourBoxes[k] = new QCheckBox(client);
        colourBoxes[k]->setObjectName(QStringLiteral("chk_palette_%1").arg(k));
        colourBoxes[k]->setToolTip(QStringLiteral("%1 %2").arg(k + 1).arg(QLatin1String(tms::colourName(k + 1))));
        connect(colourBoxes[k], &QCheckBox::stateChanged, this, [this] { settingChanged(); });
    }

    auto line = [client](const char* name, QFrame::Shape shape) {
        auto* frame = new QFrame(client);
        frame->setObjectName(QLatin1String(name));
        frame->setFrameShape(shape);
        frame->setFrameShadow(QFrame::Plain);
        return frame;
    };
    sliderRule = line("Line1", QFrame::HLine);
    rightEdgeTick = line("Line2", QFrame::VLine);
    bottomEdgeTick = line("Line3", QFrame::HLine);

    pasteButton = new WrappingButton(QStringLiteral("Paste Image from clipboard"), client);
    pasteButton->setObjectName(QStringLiteral("cmd_from_clipboard"));
    connect(pasteButton, &QPushButton::clicked, this, [this] { onPasteButtonClicked(); });
    status = namedLabel(QString(), QStringLiteral("status"), client);
    status->setAlignment(Qt::AlignCenter);
    status->setWordWrap(true);
    copyButton = new WrappingButton(QStringLiteral("Copy Image to clipboard"), client);
    copyButton->setObjectName(QStringLiteral("cmd_to_clipboard"));
    connect(copyButton, &QPushButton::clicked, this, [this] { onCopyButtonClicked(); });

    buildSlider(0, diffusionSlider, "HScroll1", QStringLiteral("Diffusion (%):"), diffusionMin, diffusionMax,
                diffusionDefault, QStringLiteral("0%"), QStringLiteral("100%"), QStringLiteral("75%"));
    buildSlider(1, brightnessSlider, "HScroll2", QStringLiteral("Brithness (%):"), brightnessMin, brightnessMax,
                brightnessDefault, QStringLiteral("0%"), QStringLiteral("200%"), QStringLiteral("100%"));
    buildSlider(2, gammaSlider, "HScroll3", QStringLiteral("Gamma (%):"), gammaMin, gammaMax, gammaDefault,
                QStringLiteral("10%"), QStringLiteral("190%"), QStringLiteral("100%"));
    connect(diffusionSlider, &QScrollBar::valueChanged, this, [this] { onDiffusionChanged(); });
    connect(brightnessSlider, &QScrollBar::valueChanged, this, [this] { onBrightnessChanged(); });
    connect(gammaSlider, &QScrollBar::valueChanged, this, [this] { onGammaChanged(); });
}

void DitherWindow::buildSlider(int row, QScrollBar*& slider, const char* name, const QString& caption, int min, int max,
                               int value, const QString& left, const QString& right, const QString& top)
{
    QWidget* client = centralWidget();
    const QString base = QLatin1String(name);
    slider = new QScrollBar(Qt::Horizontal, client);
    slider->setObjectName(base);
    slider->setRange(min, max);
    slider->setSingleStep(1);
    slider->setPageStep(1);
    slider->setValue(value);
    // Tab reaches the slider and the arrow keys then move it, Right and Up to larger
    // values (a scroll bar's keys run the other way by default).
    slider->setFocusPolicy(Qt::StrongFocus);
    slider->setInvertedControls(false);
    sliderCaptions[row] = namedLabel(caption, QStringLiteral("Label_") + base, client);
    sliderMinLabels[row] = namedLabel(left, QStringLiteral("Label_%1_Left").arg(base), client);
    sliderMaxLabels[row] = namedLabel(right, QStringLiteral("Label_%1_Right").arg(base), client);
    sliderValueLabels[row] = namedLabel(top, QStringLiteral("Label_%1_Top").arg(base), client);
    sliderMinLabels[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sliderValueLabels[row]->setAlignment(Qt::AlignCenter);
}

// The stated geometry at 1x; at 2x and 3x the picture grows and the swatches move right
// and the rows below it move down by what it grew.
void DitherWindow::placeControls()
{
    const int dx = tms::screenWidth * (zoom - 1), dy = tms::screenHeight * (zoom - 1);
    centralWidget()->setFixedSize(clientWidth + dx, clientHeight + dy);
    pictureView->move(8, 8);
    swatchView->move(272 + dx, 8);
    for (int k = 0; k < 15; ++k)
        colourBoxes[k]->setGeometry(304 + dx, 8 + 16 * k, 25, 17);
    // The ticks mark the right and bottom edge of the 240x160 area.
    rightEdgeTick->setGeometry(8 + 240 * zoom, 0, 1, 9);
    bottomEdgeTick->setGeometry(0, 8 + 160 * zoom, 9, 1);
    pasteButton->setGeometry(8, 208 + dy, 81, 41);
    status->setGeometry(96, 208 + dy, 81, 41);
    copyButton->setGeometry(184, 208 + dy, 81, 41);
    sliderRule->setGeometry(8, 264 + dy, 313 + dx, 1);
    const std::array<QScrollBar*, 3> sliders = {diffusionSlider, brightnessSlider, gammaSlider};
    for (int row = 0; row < 3; ++row) {
        const int sy = sliderY[row] + dy;
        sliderCaptions[row]->setGeometry(8, captionY[row] + dy, 120, 20);
        sliderValueLabels[row]->setGeometry(sliderX + (sliderWidth - 64) / 2, captionY[row] + dy, 64, 20);
        sliderMinLabels[row]->setGeometry(8, sy, sliderX - 12, sliderHeight);
        sliders[row]->setGeometry(sliderX, sy, sliderWidth, sliderHeight);
        sliderMaxLabels[row]->setGeometry(sliderX + sliderWidth + 4, sy, 40, sliderHeight);
    }
    adjustSize();
    setFixedSize(sizeHint());
}

void DitherWindow::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* fileMenu = bar->addMenu(QStringLiteral("File"));
    fileMenu->setObjectName(QStringLiteral("menu_file"));
    connect(namedAction(fileMenu, QStringLiteral("Load Picture"), "menu_load_picture"), &QAction::triggered, this,
            [this] { onLoadPictureTriggered(); });
    connect(namedAction(fileMenu, QStringLiteral("Save Picture"), "menu_save_picture"), &QAction::triggered, this,
            [this] { onSavePictureTriggered(); });
    connect(namedAction(fileMenu, QStringLiteral("Save as PowerPaint (FULL)"), "menu_save_powerpaint"),
            &QAction::triggered, this, [this] { onSavePowerPaintFullTriggered(); });
    connect(namedAction(fileMenu, QStringLiteral("Save as PowerPaint (10K)"), "menu_save_powerpaint_10k"),
            &QAction::triggered, this, [this] { onSavePowerPaint10kTriggered(); });
    // The two clipboard entries carry each other's names; each does what its caption says.
    QAction* copy = namedAction(fileMenu, QStringLiteral("Copy Picture to Clipboard"), "menu_paste_clipboard");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, [this] { onCopyPictureTriggered(); });
    QAction* paste = namedAction(fileMenu, QStringLiteral("Paste Picture from Clipboard"), "menu_copy_clipboard");
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, this, [this] { onPastePictureTriggered(); });

    QMenu* optionMenu = bar->addMenu(QStringLiteral("Option"));
    optionMenu->setObjectName(QStringLiteral("menu_option"));
    QMenu* resize = optionMenu->addMenu(QStringLiteral("Resize"));
    resize->setObjectName(QStringLiteral("menu_resize"));
    const std::array<QString, 3> resizeCaptions = {QStringLiteral("No resize"), QStringLiteral("Stretch"),
                                                   QStringLiteral("Respect Aspect Ratio")};
    for (int i = 0; i < 3; ++i) {
        resizeModeActions[i] = resize->addAction(resizeCaptions[i]);
        resizeModeActions[i]->setObjectName(QStringLiteral("menu_resize_mode_%1").arg(i));
        resizeModeActions[i]->setCheckable(true);
        resizeModeActions[i]->setChecked(i == 0);
        connect(resizeModeActions[i], &QAction::triggered, this, [this, i] { onResizeModeTriggered(i); });
    }
    QMenu* resolution = optionMenu->addMenu(QStringLiteral("Resolution"));
    resolution->setObjectName(QStringLiteral("menu_resolution"));
    const std::array<QString, 2> resolutionCaptions = {QStringLiteral("Full Resolution 256x192"),
                                                       QStringLiteral("10K Powerpaint 240x160")};
    for (int i = 0; i < 2; ++i) {
        resolutionModeActions[i] = resolution->addAction(resolutionCaptions[i]);
        resolutionModeActions[i]->setObjectName(QStringLiteral("menu_resolution_mode_%1").arg(i));
        resolutionModeActions[i]->setCheckable(true);
        resolutionModeActions[i]->setChecked(i == 0);
        connect(resolutionModeActions[i], &QAction::triggered, this, [this, i] { onResolutionModeTriggered(i); });
    }
    QMenu* color = optionMenu->addMenu(QStringLiteral("Color"));
    color->setObjectName(QStringLiteral("menu_color"));
    QMenu* paletteMenu = color->addMenu(QStringLiteral("Palette"));
    paletteMenu->setObjectName(QStringLiteral("menu_palette"));
    for (int i = 0; i < 3; ++i) {
        paletteActions[i] = paletteMenu->addAction(QStringLiteral("Palette #%1").arg(i + 1));
        paletteActions[i]->setObjectName(QStringLiteral("menu_palette_data_%1").arg(i));
        paletteActions[i]->setCheckable(true);
        paletteActions[i]->setChecked(i == 0);
        connect(paletteActions[i], &QAction::triggered, this, [this, i] { onPaletteTriggered(i); });
    }
    paletteActions[2]->setEnabled(false); // "Palette #3" is switched off
    QAction* selectAll = namedAction(color, QStringLiteral("Select All"), "menu_color_select_all");
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] { onSelectAllColoursTriggered(); });
    connect(namedAction(color, QStringLiteral("Unselect All"), "menu_color_unselect_all"), &QAction::triggered, this,
            [this] { onUnselectAllColoursTriggered(); });
    optionMenu->addSeparator();
    livePreviewAction = namedAction(optionMenu, QStringLiteral("Live Preview"), "menu_live_preview");
    livePreviewAction->setCheckable(true);
    livePreviewAction->setChecked(QSettings().value(livePreviewKey, false).toBool());
    connect(livePreviewAction, &QAction::triggered, this, [this] { onLivePreviewToggled(); });
    linearLightAction = namedAction(optionMenu, QStringLiteral("Diffuse in Linear Light"), "menu_linear_light");
    linearLightAction->setCheckable(true);
    linearLightAction->setChecked(QSettings().value(linearLightKey, false).toBool());
    connect(linearLightAction, &QAction::triggered, this, [this](bool on) {
        QSettings().setValue(linearLightKey, on);
        settingChanged();
    });

    QMenu* ditheringMenu = bar->addMenu(QStringLiteral("Dithering"));
    ditheringMenu->setObjectName(QStringLiteral("menu_dithering"));
    QMenu* ordered = nullptr;
    QMenu* diffusion = nullptr;
    for (const MethodControl& m : methodControls) {
        QMenu* target = ditheringMenu;
        if (m.group == MethodGroup::Ordered) {
            if (!ordered) {
                ordered = ditheringMenu->addMenu(QStringLiteral("Ordered Dithering"));
                ordered->setObjectName(QStringLiteral("menu_ordered_dithering"));
            }
            target = ordered;
        } else if (m.group == MethodGroup::ErrorDiffusion) {
            if (!diffusion) {
                diffusion = ditheringMenu->addMenu(QStringLiteral("Error Diffusion Dithering"));
                diffusion->setObjectName(QStringLiteral("menu_error_diffusion"));
            }
            target = diffusion;
        }
        if (m.separatorBefore)
            target->addSeparator();
        const Method method = m.method;
        connect(namedAction(target, methodCaption(method), m.controlName), &QAction::triggered, this,
                [this, method] { onMethodTriggered(method); });
    }
    ordered->addSeparator();
    orderedErrorAction = namedAction(ordered, QStringLiteral("Using Error Diffusion"), "menu_ord_error_diffusion");
    orderedErrorAction->setCheckable(true);
    connect(orderedErrorAction, &QAction::triggered, this, [this] { onOrderedErrorDiffusionToggled(); });
    ditheringMenu->addSeparator();
    connect(namedAction(ditheringMenu, QStringLiteral("Compare All Methods..."), "menu_compare_methods"),
            &QAction::triggered, this, [this] { onCompareMethodsTriggered(); });

    QMenu* viewMenu = bar->addMenu(QStringLiteral("View"));
    viewMenu->setObjectName(QStringLiteral("menu_view"));
    for (int i = 0; i < 3; ++i) {
        zoomActions[i] = viewMenu->addAction(QStringLiteral("Zoom %1x").arg(i + 1));
        zoomActions[i]->setObjectName(QStringLiteral("menu_zoom_%1").arg(i + 1));
        zoomActions[i]->setCheckable(true);
        zoomActions[i]->setChecked(i == 0);
        connect(zoomActions[i], &QAction::triggered, this, [this, i] { onZoomTriggered(i + 1); });
    }

    QAction* infoAction = bar->addAction(QStringLiteral("Info"));
    infoAction->setObjectName(QStringLiteral("menu_info"));
    connect(infoAction, &QAction::triggered, this, [this] { onInfoTriggered(); });
}

void DitherWindow::showLoadPrompt()
{
    // The prompt is the picture until one is loaded: converting right away converts it.
    QImage prompt(pictureWidth, pictureHeight, QImage::Format_RGB32);
    prompt.fill(QWidget::palette().color(QPalette::Window));
    {
        QPainter painter(&prompt);
        painter.setPen(Qt::black);
        painter.setFont(font());
        painter.drawText(QRect(0, 0, pictureWidth, pictureHeight), Qt::AlignLeft | Qt::AlignTop, loadPrompt);
    }
    resizeMode = ResizeMode::NoResize;
    resolutionMode = ResolutionMode::Full;
    paletteMode = 0;
    applyPalette();
    // The first paint of the swatches takes the shown pixels as the source picture; the
    // prompt also stands as the loaded picture, so a change of scaling keeps it.
    loadedPicture = prompt;
    sourcePicture = dither::fitToScreen(loadedPicture, ResizeMode::NoResize, ResolutionMode::Full);
    showPicture(pictureImage(sourcePicture));
}

void DitherWindow::onZoomTriggered(int factor)
{
    zoom = factor;
    for (int i = 0; i < 3; ++i)
        zoomActions[i]->setChecked(i + 1 == factor);
    pictureView->setScale(factor);
    placeControls();
    rememberSettings();
}

void DitherWindow::onInfoTriggered()
{
    m_dialogs->tell(QStringLiteral("Palette Press information"),
                    QStringLiteral("Palette Press %1: turns pictures into TMS9918A screen mode 2 bitmaps.")
                        .arg(QStringLiteral(SUITE_VERSION)));
}

bool DitherWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pictureView && event->type() == QEvent::MouseButtonDblClick) {
        onPictureDoubleClicked();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace dither
