// Construction of the window, its controls and menus, activation, the timer and the
// end of the window.
#include "easel_window.h"

#include "about_box.h"
#include "document_life.h"
#include "drawing_cursor.h"
#include "file_drop.h"
#include "file_extension.h"
#include "import_picture_dialog.h"
#include "pixel_view.h"
#include "pp_file_dialogs.h"
#include "qt_user_dialogs.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "timer_pause.h"
#include "transfer_dialogs.h"
#include "window_aids.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QtMath>

namespace paint {

namespace {

constexpr QSize screenSurfaceSize(screenWidth* normalViewScale, screenHeight* normalViewScale);
constexpr QSize swatchColumnSize(16, 192); // 16 swatches of 12 pixels
constexpr QSize brushBoxSize(32, 24);

using MouseHandler = void (EaselWindow::*)(int button, int shift, int x, int y);
using MouseSignal = void (tms::PixelView::*)(int, int, double, double);

// Connects a view's mouse signal to a handler that takes whole view pixels.
void connectMouse(tms::PixelView* view, MouseSignal signal, EaselWindow* window, MouseHandler handler)
{
    QObject::connect(view, signal, window, [window, handler](int b, int s, double x, double y) {
        (window->*handler)(b, s, qFloor(x), qFloor(y));
    });
}

QPushButton* makeButton(const QString& name, const QString& caption, const QString& tip, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(tip);
    button->setFixedWidth(36);
    return button;
}

} // namespace

EaselWindow::EaselWindow(const QString& commandLine, tms::UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_commandLine(commandLine)
{
    setObjectName(QStringLiteral("Mosaic_Easel_Main"));
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<tms::QtUserDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    showDialog = [this](PaintDialog dialog, const PaintDialogChoice& start) { return runRealDialog(dialog, start); };

    palette = tms::standardPalette();
    clearPicture();
    brushColors = {1, 15};
    firstActivation = true;

    m_cleanView = makeViewImage(normalView());
    paintingDelay.setObjectName(QStringLiteral("Timer1"));
    paintingDelay.setInterval(2000);
    connect(&paintingDelay, &QTimer::timeout, this, &EaselWindow::allowPainting);

    buildControls();
    buildMenus();
    showPicture();
}

EaselWindow::~EaselWindow()
{
    delete m_life; // before the document side it works on, while the undo stack still lives
}

void EaselWindow::buildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);

    m_screen = new tms::PixelView(QStringLiteral("ECRAN"), screenSurfaceSize, central);
    m_screen->setCursor(drawingCursor());
    trackStroke(m_screen, QStringLiteral("Painting"));
    connectMouse(m_screen, &tms::PixelView::mouseDown, this, &EaselWindow::onScreenPressed);
    connectMouse(m_screen, &tms::PixelView::mouseMove, this, &EaselWindow::onScreenDragged);
    connect(m_screen, &tms::PixelView::strokeEnded, this, [this] { m_waitingForRelease = false; });
    layout->addWidget(m_screen, 0, Qt::AlignTop);

    // The floating block: a window onto m_floatingPicture, which holds the whole picture
    // shifted so that the selected block shows.
    m_floatingBlock = new QFrame(m_screen);
    m_floatingBlock->setObjectName(QStringLiteral("selection"));
    m_floatingBlock->hide();
    m_floatingPicture = new tms::PixelView(QStringLiteral("the_picture"), screenSurfaceSize, m_floatingBlock);
    m_floatingPicture->setCursor(Qt::SizeAllCursor);
    m_floatingPicture->setToolTip(QStringLiteral("Drag with the left button, put with the right button"));
    connectMouse(m_floatingPicture, &tms::PixelView::mouseDown, this, &EaselWindow::onFloatingBlockPressed);
    connectMouse(m_floatingPicture, &tms::PixelView::mouseMove, this, &EaselWindow::onFloatingBlockDragged);

    auto* tools = new QVBoxLayout;
    auto* colours = new QHBoxLayout;
    m_swatches = new tms::PixelView(QStringLiteral("COLOR"), swatchColumnSize, central);
    m_swatches->setToolTip(QStringLiteral("Left button: left brush; right button: right brush"));
    connectMouse(m_swatches, &tms::PixelView::mouseDown, this, &EaselWindow::onSwatchesPressed);
    colours->addWidget(m_swatches, 0, Qt::AlignTop);
    auto* brushes = new QVBoxLayout;
    const QStringList brushTips = {QStringLiteral("Right button colour"), QStringLiteral("Left button colour")};
    for (int i : {1, 0}) {
        m_brushBoxes[i] = new tms::PixelView(QStringLiteral("Couleur_%1").arg(i), brushBoxSize, central);
        m_brushBoxes[i]->setToolTip(brushTips[i]);
        brushes->addWidget(new QLabel(i == 1 ? QStringLiteral("Left") : QStringLiteral("Right"), central));
        brushes->addWidget(m_brushBoxes[i]);
    }
    brushes->addStretch();
    colours->addLayout(brushes);
    tools->addLayout(colours);

    m_blockTool = new QCheckBox(QStringLiteral("Get"), central);
    m_blockTool->setObjectName(QStringLiteral("chk_get"));
    connect(m_blockTool, &QCheckBox::clicked, this, &EaselWindow::onBlockToolClicked);
    m_zoomBox = new QCheckBox(QStringLiteral("Zoom"), central);
    m_zoomBox->setObjectName(QStringLiteral("chk_zoom2x"));
    connect(m_zoomBox, &QCheckBox::clicked, this, &EaselWindow::onZoomClicked);
    m_gridButton = new QPushButton(QStringLiteral("grid"), central);
    m_gridButton->setObjectName(QStringLiteral("cmd_grid"));
    m_gridButton->setCheckable(true); // shows whether the grid is on
    connect(m_gridButton, &QPushButton::clicked, this, &EaselWindow::onGridClicked);
    tools->addWidget(m_blockTool);
    tools->addWidget(m_zoomBox);
    tools->addWidget(m_gridButton);

    // Scroll buttons: "1" moves by a pixel line, "8" by a character (or moves the zoom view).
    auto* scrolls = new QGridLayout;
    struct Scroll {
        const char* name;
        const char* caption;
        const char* tip;
        void (EaselWindow::*handler)();
        int row, column;
    };
    const Scroll buttons[] = {
        {"cmd_scroll_up", "1", "Scroll the picture up one pixel line", &EaselWindow::onScrollUpLineClicked, 0, 1},
        {"cmd_scroll_up_8", "8", "Scroll the picture up one character (Zoom: move the view up)",
         &EaselWindow::onScrollUpRowClicked, 0, 2},
        {"cmd_scroll_left", "8", "Scroll the picture left one character (Zoom: move the view left)",
         &EaselWindow::onScrollLeftClicked, 1, 1},
        {"cmd_scroll_right", "8", "Scroll the picture right one character (Zoom: move the view right)",
         &EaselWindow::onScrollRightClicked, 1, 2},
        {"cmd_scroll_down", "1", "Scroll the picture down one pixel line", &EaselWindow::onScrollDownLineClicked, 2, 1},
        {"cmd_scroll_down_8", "8", "Scroll the picture down one character (Zoom: move the view down)",
         &EaselWindow::onScrollDownRowClicked, 2, 2},
    };
    scrolls->addWidget(new QLabel(QStringLiteral("Up"), central), 0, 0);
    scrolls->addWidget(new QLabel(QStringLiteral("Side"), central), 1, 0);
    scrolls->addWidget(new QLabel(QStringLiteral("Down"), central), 2, 0);
    for (const Scroll& s : buttons) {
        QPushButton* button = makeButton(QString::fromLatin1(s.name), QString::fromLatin1(s.caption),
                                         QString::fromLatin1(s.tip), central);
        connect(button, &QPushButton::clicked, this,
                [this, s] { recordStep(QString::fromLatin1(s.tip), [&] { (this->*s.handler)(); }); });
        scrolls->addWidget(button, s.row, s.column);
    }
    tools->addLayout(scrolls);
    tools->addStretch();
    layout->addLayout(tools);
    layout->addStretch(); // a wider window gets empty room, not a wider side panel
    setCentralWidget(central);

    drawSwatches();
    drawBrushColor(0);
    drawBrushColor(1);
}

void EaselWindow::buildMenus()
{
    QMenu* fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("Fichier"));
    auto add = [&](const char* name, const QString& caption, std::function<void()> handler) {
        QAction* action = fileMenu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    tms::giveStandardKeys(add("Nouveau", QStringLiteral("&New"), [this] { onNewTriggered(); }), tms::FileCommand::New);
    QAction* openItem = add("Ouvrir", QStringLiteral("&Open"), [this] { onOpenTriggered(); });
    tms::giveStandardKeys(openItem, tms::FileCommand::Open);
    tms::giveStandardKeys(add("Sauver", QStringLiteral("&Save"), [this] { onSaveTriggered(); }),
                          tms::FileCommand::Save);
    tms::giveStandardKeys(add("SauverSous", QStringLiteral("Save &As"), [this] { onSaveAsTriggered(); }),
                          tms::FileCommand::SaveAs);
    tms::giveStandardKeys(add("Fermer", QStringLiteral("&Close"), [this] { onCloseTriggered(); }),
                          tms::FileCommand::Close);
    fileMenu->addSeparator();
    add("ExporterC", QStringLiteral("&Export to C"), [this] { onExportCTriggered(); });
    add("ExporterASM", QStringLiteral("E&xport to ASM"), [this] { onExportAsmTriggered(); });
    add("ExporterGRP", QStringLiteral("Export to &GRP"), [this] { onExportGrpTriggered(); });
    add("ExporterBIN", QStringLiteral("Export raw &tables"), [this] { onExportBinTriggered(); });
    add("ImporterSCR", QStringLiteral("&Import SCR/MLT"), [this] { onImportScrTriggered(); });
    add("ImporterGRP", QStringLiteral("Import G&RP"), [this] { onImportGrpTriggered(); });
    add("ImporterPicture", QStringLiteral("Import &Picture..."), [this] { onImportPictureTriggered(); });
    fileMenu->addSeparator();
    tms::giveStandardKeys(add("Quitter", QStringLiteral("&Quit"), [this] { onQuitTriggered(); }),
                          tms::FileCommand::Quit);
    connectDocumentLife(fileMenu, openItem);

    buildEditMenu();
    // The click that closes a menu, on an item or beside it, must not paint.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        tms::pauseWhileOpen(menu, paintingDelay, tick);
    QAction* aboutItem = menuBar()->addAction(QStringLiteral("&?"));
    aboutItem->setObjectName(QStringLiteral("Apropos"));
    connect(aboutItem, &QAction::triggered, this, &EaselWindow::onAboutTriggered);
}

std::optional<PaintDialogChoice> EaselWindow::runRealDialog(PaintDialog dialog, const PaintDialogChoice& start)
{
    const auto withPath = [&](const std::optional<QString>& path) -> std::optional<PaintDialogChoice> {
        if (!path)
            return std::nullopt;
        PaintDialogChoice choice = start;
        choice.path = *path;
        return choice;
    };
    const auto transfer = [&](TransferDialog kind) {
        return withPath(showTransferDialog(kind, *m_dialogs, this, start.path));
    };
    // A dialog that returns more than a path: the path, then what copyRest takes over.
    const auto withPathAnd = [&](const auto& chosen, auto copyRest) -> std::optional<PaintDialogChoice> {
        if (!chosen)
            return std::nullopt;
        PaintDialogChoice choice = start;
        choice.path = chosen->path;
        copyRest(choice, *chosen);
        return choice;
    };
    const auto exportTo = [&](TransferDialog kind) {
        return withPathAnd(showExportDialog(kind, start.exportFormat, *m_dialogs, this, start.path),
                           [](PaintDialogChoice& choice, const ExportChoice& chosen) {
            choice.exportFormat = chosen.format;
        });
    };
    switch (dialog) {
    case PaintDialog::OpenPicture: return withPath(showOpenPPFile(*m_dialogs, this, start.path));
    case PaintDialog::SaveAsPicture:
        return withPathAnd(showSaveAsPPFile(*m_dialogs, this, start.path, start.fullScreen),
                           [](PaintDialogChoice& choice, const SaveAsChoice& chosen) {
            choice.fullScreen = chosen.fullScreen;
        });
    case PaintDialog::ImportSCRFile: return transfer(TransferDialog::ImportSCRFile);
    case PaintDialog::ImportGRPFile: return transfer(TransferDialog::ImportGRPFile);
    case PaintDialog::ImportPictureFile: return transfer(TransferDialog::ImportPictureFile);
    case PaintDialog::ImportPictureOptions: {
        const std::optional<PictureImportSettings> settings =
            showImportPicture(start.path, start.importSettings, *m_dialogs, this);
        if (!settings)
            return std::nullopt;
        PaintDialogChoice choice = start;
        choice.importSettings = *settings;
        return choice;
    }
    case PaintDialog::Export2C: return exportTo(TransferDialog::Export2C);
    case PaintDialog::Export2ASM: return exportTo(TransferDialog::Export2ASM);
    case PaintDialog::Export2BIN: return exportTo(TransferDialog::Export2BIN);
    case PaintDialog::Export2GRP: return transfer(TransferDialog::Export2GRP);
    case PaintDialog::About: {
        tms::AboutBox box({QStringLiteral("Mosaic Easel"), QStringLiteral(SUITE_VERSION),
                           QStringLiteral("Bitmap paint program for the TMS9918A screen mode 2")},
                          *m_dialogs, this);
        box.exec();
        return std::nullopt;
    }
    }
    return std::nullopt;
}

std::optional<PaintDialogChoice> EaselWindow::runDialog(PaintDialog dialog, const QString& subject)
{
    const auto exportSlot = [&]() -> QString* {
        switch (dialog) {
        case PaintDialog::Export2C: return &m_exportPaths[0];
        case PaintDialog::Export2ASM: return &m_exportPaths[1];
        case PaintDialog::Export2GRP: return &m_exportPaths[2];
        case PaintDialog::Export2BIN: return &m_exportPaths[3];
        default: return nullptr;
        }
    };
    QString* exportPath = exportSlot();
    PaintDialogChoice start;
    start.path = dialog == PaintDialog::ImportPictureOptions ? subject : exportPath ? *exportPath : m_lastPicturePath;
    start.fullScreen = m_doc.fullScreenFile;
    start.importSettings = m_importSettings;
    // The sources start with the run-length stream they always had; raw tables plain.
    start.exportFormat.compression = dialog == PaintDialog::Export2BIN ? tms::Compression::None : tms::Compression::Rle;
    std::optional<PaintDialogChoice> choice = showDialog(dialog, start);
    if (!choice || (dialog != PaintDialog::ImportPictureOptions && choice->path.isEmpty()))
        return std::nullopt;
    if (dialog == PaintDialog::ImportPictureOptions)
        m_importSettings = choice->importSettings;
    else if (exportPath)
        *exportPath = choice->path;
    else
        m_lastPicturePath = choice->path;
    return choice;
}

void EaselWindow::onActivated()
{
    if (firstActivation) {
        if (tms::hasExtension(m_commandLine, QStringLiteral(".pp"))) {
            loadPowerPaintFile(QFileInfo(m_commandLine).absoluteFilePath());
        } else if (isPictureFileName(m_commandLine)) {
            importPicture(QFileInfo(m_commandLine).absoluteFilePath());
        }
        showPicture();
        firstActivation = false;
    }
    paintingDelay.start();
}

void EaselWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Once the window is on screen, so that a refusal of the command-line picture is
    // shown over it rather than on an empty screen.
    if (firstActivation)
        QTimer::singleShot(0, this, [this] {
            if (firstActivation)
                onActivated();
        });
}

bool EaselWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !firstActivation)
        onActivated();
    return QMainWindow::event(event);
}

void EaselWindow::allowPainting()
{
    tick = true;
}

// What opening the File menu does: the pause begins; the menu holds it until it closes.
void EaselWindow::onFileMenuOpened()
{
    paintingDelay.stop();
    tick = false;
}

void EaselWindow::onAboutTriggered()
{
    const tms::TimerPause pause(paintingDelay, tick);
    showDialog(PaintDialog::About, {});
}

void EaselWindow::closeEvent(QCloseEvent* event)
{
    // When the save did not happen, or the question was cancelled, the window and the work stay.
    if (m_life->mayEndWindow(tms::endOfWindowPrompt(QStringLiteral("Do you want to save you works?"))))
        event->accept();
    else
        event->ignore();
}

} // namespace paint
