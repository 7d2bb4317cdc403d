// frm_main: construction, the fixed layout and the menus.

#include "frm_main.h"

#include "adjustment.h"
#include "compare_window.h"
#include "file_drop.h"
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

frm_main::frm_main(tms::UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs)
{
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<tms::QtUserDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    showFileDialog = [this](const FileDialogRequest& request) { return open_dialog(request, *m_dialogs, this); };
    setObjectName(QStringLiteral("frm_main"));
    showTitle();
    tms::acceptFileDrops(this, {}, [this](const QString& path) { loadPicture(path); }); // any picture file
    Timer_LivePreview.setObjectName(QStringLiteral("Timer_LivePreview"));
    Timer_LivePreview.setSingleShot(true);
    Timer_LivePreview.setInterval(0);
    connect(&Timer_LivePreview, &QTimer::timeout, this, [this] { livePreview_Timer(); });
    buildControls();
    buildMenus();
    placeControls();
    Form_Load();
}

frm_main::~frm_main() = default;

void frm_main::buildControls()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);

    Picture1 = new tms::PixelView(QStringLiteral("Picture1"), QSize(tms::screenWidth, tms::screenHeight), client);
    Picture1->installEventFilter(this);

    Picture3 = new tms::PixelView(QStringLiteral("Picture3"), QSize(swatchWidth, swatchHeight), client);
    connect(Picture3, &tms::PixelView::mouseDown, this,
            [this](int button, int shift, double x, double y) { Picture3_MouseDown(button, shift, x, y); });

    for (int k = 0; k < 15; ++k) {
        chk_palette[k] = new QCheckBox(client);
        chk_palette[k]->setObjectName(QStringLiteral("chk_palette_%1").arg(k));
        chk_palette[k]->setToolTip(QStringLiteral("%1 %2").arg(k + 1).arg(QLatin1String(tms::colourName(k + 1))));
        connect(chk_palette[k], &QCheckBox::stateChanged, this, [this] { settingChanged(); });
    }

    auto line = [client](const char* name, QFrame::Shape shape) {
        auto* frame = new QFrame(client);
        frame->setObjectName(QLatin1String(name));
        frame->setFrameShape(shape);
        frame->setFrameShadow(QFrame::Plain);
        return frame;
    };
    Line1 = line("Line1", QFrame::HLine);
    Line2 = line("Line2", QFrame::VLine);
    Line3 = line("Line3", QFrame::HLine);

    cmd_from_clipboard = new WrappingButton(QStringLiteral("Paste Image from clipboard"), client);
    cmd_from_clipboard->setObjectName(QStringLiteral("cmd_from_clipboard"));
    connect(cmd_from_clipboard, &QPushButton::clicked, this, [this] { cmd_from_clipboard_Click(); });
    status = namedLabel(QString(), QStringLiteral("status"), client);
    status->setAlignment(Qt::AlignCenter);
    status->setWordWrap(true);
    cmd_to_clipboard = new WrappingButton(QStringLiteral("Copy Image to clipboard"), client);
    cmd_to_clipboard->setObjectName(QStringLiteral("cmd_to_clipboard"));
    connect(cmd_to_clipboard, &QPushButton::clicked, this, [this] { cmd_to_clipboard_Click(); });

    buildSlider(0, HScroll1, "HScroll1", QStringLiteral("Diffusion (%):"), diffusionMin, diffusionMax,
                diffusionDefault, QStringLiteral("0%"), QStringLiteral("100%"), QStringLiteral("75%"));
    buildSlider(1, HScroll2, "HScroll2", QStringLiteral("Brithness (%):"), brightnessMin, brightnessMax,
                brightnessDefault, QStringLiteral("0%"), QStringLiteral("200%"), QStringLiteral("100%"));
    buildSlider(2, HScroll3, "HScroll3", QStringLiteral("Gamma (%):"), gammaMin, gammaMax, gammaDefault,
                QStringLiteral("10%"), QStringLiteral("190%"), QStringLiteral("100%"));
    connect(HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(HScroll2, &QScrollBar::valueChanged, this, [this] { HScroll2_Change(); });
    connect(HScroll3, &QScrollBar::valueChanged, this, [this] { HScroll3_Change(); });
}

void frm_main::buildSlider(int row, QScrollBar*& slider, const char* name, const QString& caption, int min, int max,
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
    Label_HScroll_Caption[row] = namedLabel(caption, QStringLiteral("Label_") + base, client);
    Label_HScroll_Left[row] = namedLabel(left, QStringLiteral("Label_%1_Left").arg(base), client);
    Label_HScroll_Right[row] = namedLabel(right, QStringLiteral("Label_%1_Right").arg(base), client);
    Label_HScroll_Top[row] = namedLabel(top, QStringLiteral("Label_%1_Top").arg(base), client);
    Label_HScroll_Left[row]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label_HScroll_Top[row]->setAlignment(Qt::AlignCenter);
}

// The stated geometry at 1x; at 2x and 3x the picture grows and the swatches move right
// and the rows below it move down by what it grew.
void frm_main::placeControls()
{
    const int dx = tms::screenWidth * (zoom - 1), dy = tms::screenHeight * (zoom - 1);
    centralWidget()->setFixedSize(clientWidth + dx, clientHeight + dy);
    Picture1->move(8, 8);
    Picture3->move(272 + dx, 8);
    for (int k = 0; k < 15; ++k)
        chk_palette[k]->setGeometry(304 + dx, 8 + 16 * k, 25, 17);
    // The ticks mark the right and bottom edge of the 240x160 area.
    Line2->setGeometry(8 + 240 * zoom, 0, 1, 9);
    Line3->setGeometry(0, 8 + 160 * zoom, 9, 1);
    cmd_from_clipboard->setGeometry(8, 208 + dy, 81, 41);
    status->setGeometry(96, 208 + dy, 81, 41);
    cmd_to_clipboard->setGeometry(184, 208 + dy, 81, 41);
    Line1->setGeometry(8, 264 + dy, 313 + dx, 1);
    const std::array<QScrollBar*, 3> sliders = {HScroll1, HScroll2, HScroll3};
    for (int row = 0; row < 3; ++row) {
        const int sy = sliderY[row] + dy;
        Label_HScroll_Caption[row]->setGeometry(8, captionY[row] + dy, 120, 20);
        Label_HScroll_Top[row]->setGeometry(sliderX + (sliderWidth - 64) / 2, captionY[row] + dy, 64, 20);
        Label_HScroll_Left[row]->setGeometry(8, sy, sliderX - 12, sliderHeight);
        sliders[row]->setGeometry(sliderX, sy, sliderWidth, sliderHeight);
        Label_HScroll_Right[row]->setGeometry(sliderX + sliderWidth + 4, sy, 40, sliderHeight);
    }
    adjustSize();
    setFixedSize(sizeHint());
}

void frm_main::buildMenus()
{
    QMenuBar* bar = menuBar();
    QMenu* menu_file = bar->addMenu(QStringLiteral("File"));
    menu_file->setObjectName(QStringLiteral("menu_file"));
    connect(namedAction(menu_file, QStringLiteral("Load Picture"), "menu_load_picture"), &QAction::triggered, this,
            [this] { menu_load_picture_Click(); });
    connect(namedAction(menu_file, QStringLiteral("Save Picture"), "menu_save_picture"), &QAction::triggered, this,
            [this] { menu_save_picture_Click(); });
    connect(namedAction(menu_file, QStringLiteral("Save as PowerPaint (FULL)"), "menu_save_powerpaint"),
            &QAction::triggered, this, [this] { menu_save_powerpaint_Click(); });
    connect(namedAction(menu_file, QStringLiteral("Save as PowerPaint (10K)"), "menu_save_powerpaint_10k"),
            &QAction::triggered, this, [this] { menu_save_powerpaint_10k_Click(); });
    // The two clipboard entries carry each other's names; each does what its caption says.
    QAction* copy = namedAction(menu_file, QStringLiteral("Copy Picture to Clipboard"), "menu_paste_clipboard");
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    connect(copy, &QAction::triggered, this, [this] { menu_paste_clipboard_Click(); });
    QAction* paste = namedAction(menu_file, QStringLiteral("Paste Picture from Clipboard"), "menu_copy_clipboard");
    paste->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_V));
    connect(paste, &QAction::triggered, this, [this] { menu_copy_clipboard_Click(); });

    QMenu* menu_option = bar->addMenu(QStringLiteral("Option"));
    menu_option->setObjectName(QStringLiteral("menu_option"));
    QMenu* resize = menu_option->addMenu(QStringLiteral("Resize"));
    resize->setObjectName(QStringLiteral("menu_resize"));
    const std::array<QString, 3> resizeCaptions = {QStringLiteral("No resize"), QStringLiteral("Stretch"),
                                                   QStringLiteral("Respect Aspect Ratio")};
    for (int i = 0; i < 3; ++i) {
        menu_resize_mode[i] = resize->addAction(resizeCaptions[i]);
        menu_resize_mode[i]->setObjectName(QStringLiteral("menu_resize_mode_%1").arg(i));
        menu_resize_mode[i]->setCheckable(true);
        menu_resize_mode[i]->setChecked(i == 0);
        connect(menu_resize_mode[i], &QAction::triggered, this, [this, i] { menu_resize_mode_Click(i); });
    }
    QMenu* resolution = menu_option->addMenu(QStringLiteral("Resolution"));
    resolution->setObjectName(QStringLiteral("menu_resolution"));
    const std::array<QString, 2> resolutionCaptions = {QStringLiteral("Full Resolution 256x192"),
                                                       QStringLiteral("10K Powerpaint 240x160")};
    for (int i = 0; i < 2; ++i) {
        menu_resolution_mode[i] = resolution->addAction(resolutionCaptions[i]);
        menu_resolution_mode[i]->setObjectName(QStringLiteral("menu_resolution_mode_%1").arg(i));
        menu_resolution_mode[i]->setCheckable(true);
        menu_resolution_mode[i]->setChecked(i == 0);
        connect(menu_resolution_mode[i], &QAction::triggered, this, [this, i] { menu_resolution_mode_Click(i); });
    }
    QMenu* color = menu_option->addMenu(QStringLiteral("Color"));
    color->setObjectName(QStringLiteral("menu_color"));
    QMenu* paletteMenu = color->addMenu(QStringLiteral("Palette"));
    paletteMenu->setObjectName(QStringLiteral("menu_palette"));
    for (int i = 0; i < 3; ++i) {
        menu_palette_data[i] = paletteMenu->addAction(QStringLiteral("Palette #%1").arg(i + 1));
        menu_palette_data[i]->setObjectName(QStringLiteral("menu_palette_data_%1").arg(i));
        menu_palette_data[i]->setCheckable(true);
        menu_palette_data[i]->setChecked(i == 0);
        connect(menu_palette_data[i], &QAction::triggered, this, [this, i] { menu_palette_data_Click(i); });
    }
    menu_palette_data[2]->setEnabled(false); // "Palette #3" is switched off
    QAction* selectAll = namedAction(color, QStringLiteral("Select All"), "menu_color_select_all");
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] { menu_color_select_all_Click(); });
    connect(namedAction(color, QStringLiteral("Unselect All"), "menu_color_unselect_all"), &QAction::triggered, this,
            [this] { menu_color_unselect_all_Click(); });
    menu_option->addSeparator();
    menu_live_preview = namedAction(menu_option, QStringLiteral("Live Preview"), "menu_live_preview");
    menu_live_preview->setCheckable(true);
    menu_live_preview->setChecked(QSettings().value(livePreviewKey, false).toBool());
    connect(menu_live_preview, &QAction::triggered, this, [this] { menu_live_preview_Click(); });
    menu_linear_light = namedAction(menu_option, QStringLiteral("Diffuse in Linear Light"), "menu_linear_light");
    menu_linear_light->setCheckable(true);
    menu_linear_light->setChecked(QSettings().value(linearLightKey, false).toBool());
    connect(menu_linear_light, &QAction::triggered, this, [this](bool on) {
        QSettings().setValue(linearLightKey, on);
        settingChanged();
    });

    QMenu* menu_dithering = bar->addMenu(QStringLiteral("Dithering"));
    menu_dithering->setObjectName(QStringLiteral("menu_dithering"));
    QMenu* ordered = nullptr;
    QMenu* diffusion = nullptr;
    for (const MethodControl& m : methodControls) {
        QMenu* target = menu_dithering;
        if (m.group == MethodGroup::Ordered) {
            if (!ordered) {
                ordered = menu_dithering->addMenu(QStringLiteral("Ordered Dithering"));
                ordered->setObjectName(QStringLiteral("menu_ordered_dithering"));
            }
            target = ordered;
        } else if (m.group == MethodGroup::ErrorDiffusion) {
            if (!diffusion) {
                diffusion = menu_dithering->addMenu(QStringLiteral("Error Diffusion Dithering"));
                diffusion->setObjectName(QStringLiteral("menu_error_diffusion"));
            }
            target = diffusion;
        }
        if (m.separatorBefore)
            target->addSeparator();
        const Method method = m.method;
        connect(namedAction(target, methodCaption(method), m.controlName), &QAction::triggered, this,
                [this, method] { menu_method_Click(method); });
    }
    ordered->addSeparator();
    menu_ord_error_diffusion = namedAction(ordered, QStringLiteral("Using Error Diffusion"), "menu_ord_error_diffusion");
    menu_ord_error_diffusion->setCheckable(true);
    connect(menu_ord_error_diffusion, &QAction::triggered, this, [this] { menu_ord_error_diffusion_Click(); });
    menu_dithering->addSeparator();
    connect(namedAction(menu_dithering, QStringLiteral("Compare All Methods..."), "menu_compare_methods"),
            &QAction::triggered, this, [this] { menu_compare_methods_Click(); });

    QMenu* menu_view = bar->addMenu(QStringLiteral("View"));
    menu_view->setObjectName(QStringLiteral("menu_view"));
    for (int i = 0; i < 3; ++i) {
        menu_zoom[i] = menu_view->addAction(QStringLiteral("Zoom %1x").arg(i + 1));
        menu_zoom[i]->setObjectName(QStringLiteral("menu_zoom_%1").arg(i + 1));
        menu_zoom[i]->setCheckable(true);
        menu_zoom[i]->setChecked(i == 0);
        connect(menu_zoom[i], &QAction::triggered, this, [this, i] { menu_zoom_Click(i + 1); });
    }

    QAction* menu_info = bar->addAction(QStringLiteral("Info"));
    menu_info->setObjectName(QStringLiteral("menu_info"));
    connect(menu_info, &QAction::triggered, this, [this] { menu_info_Click(); });
}

void frm_main::Form_Load()
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
    resize_mode = ResizeMode::NoResize;
    resolution_mode = ResolutionMode::Full;
    palette_mode = 0;
    init_palette();
    // The first paint of the swatches takes the shown pixels as the source picture; the
    // prompt also stands as the loaded picture, so a change of scaling keeps it.
    Picture2 = prompt;
    source_image = dither::apply_resize(Picture2, ResizeMode::NoResize, ResolutionMode::Full);
    showPicture(pictureImage(source_image));
}

void frm_main::menu_zoom_Click(int factor)
{
    zoom = factor;
    for (int i = 0; i < 3; ++i)
        menu_zoom[i]->setChecked(i + 1 == factor);
    Picture1->setScale(factor);
    placeControls();
}

void frm_main::menu_info_Click()
{
    m_dialogs->tell(QStringLiteral("Palette Press information"),
                    QStringLiteral("Palette Press %1: turns pictures into TMS9918A screen mode 2 bitmaps.")
                        .arg(QStringLiteral(SUITE_VERSION)));
}

bool frm_main::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Picture1 && event->type() == QEvent::MouseButtonDblClick) {
        Picture1_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace dither
