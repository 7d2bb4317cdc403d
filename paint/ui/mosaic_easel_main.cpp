// Construction of the window, its controls and menus, activation, the timer and the
// end of the window.
#include "mosaic_easel_main.h"

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

constexpr QSize screenSurfaceSize(screenWidth * normalViewScale, screenHeight * normalViewScale);
constexpr QSize swatchColumnSize(16, 192); // 16 swatches of 12 pixels
constexpr QSize brushBoxSize(32, 24);

using MouseHandler = void (Mosaic_Easel_Main::*)(int Button, int Shift, int X, int Y);
using MouseSignal = void (tms::PixelView::*)(int, int, double, double);

// Connects a view's mouse signal to a handler that takes whole view pixels.
void connectMouse(tms::PixelView* view, MouseSignal signal, Mosaic_Easel_Main* window, MouseHandler handler)
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

Mosaic_Easel_Main::Mosaic_Easel_Main(const QString& commandLine, tms::UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent), m_dialogs(dialogs), m_commandLine(commandLine)
{
    setObjectName(QStringLiteral("Mosaic_Easel_Main"));
    if (!m_dialogs) {
        m_ownDialogs = std::make_unique<tms::QtUserDialogs>(this);
        m_dialogs = m_ownDialogs.get();
    }
    showDialog = [this](PaintDialog dialog, const PaintDialogChoice& start) { return runRealDialog(dialog, start); };

    palette = tms::standardPalette();
    ClearPicture();
    brushColors = {1, 15};
    firstActivation = true;

    ECRANBUFFER = makeViewImage(normalView());
    ECRAN_BACKUP = makeViewImage(normalView());
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &Mosaic_Easel_Main::Timer1_Timer);

    buildControls();
    buildMenus();
    RenderPicture();
}


Mosaic_Easel_Main::~Mosaic_Easel_Main()
{
    delete m_life; // before the document side it works on, while the undo stack still lives
}

void Mosaic_Easel_Main::buildControls()
{
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);

    ECRAN = new tms::PixelView(QStringLiteral("ECRAN"), screenSurfaceSize, central);
    ECRAN->setCursor(drawingCursor());
    trackStroke(ECRAN, QStringLiteral("Painting"));
    connectMouse(ECRAN, &tms::PixelView::mouseDown, this, &Mosaic_Easel_Main::ECRAN_MouseDown);
    connectMouse(ECRAN, &tms::PixelView::mouseMove, this, &Mosaic_Easel_Main::ECRAN_MouseMove);
    connect(ECRAN, &tms::PixelView::strokeEnded, this, [this] { m_waitingForRelease = false; });
    layout->addWidget(ECRAN, 0, Qt::AlignTop);

    // The floating block: a window onto the_picture, which holds the whole picture
    // shifted so that the selected block shows.
    selection = new QFrame(ECRAN);
    selection->setObjectName(QStringLiteral("selection"));
    selection->hide();
    the_picture = new tms::PixelView(QStringLiteral("the_picture"), screenSurfaceSize, selection);
    the_picture->setCursor(Qt::SizeAllCursor);
    the_picture->setToolTip(QStringLiteral("Drag with the left button, put with the right button"));
    connectMouse(the_picture, &tms::PixelView::mouseDown, this, &Mosaic_Easel_Main::the_picture_MouseDown);
    connectMouse(the_picture, &tms::PixelView::mouseMove, this, &Mosaic_Easel_Main::the_picture_MouseMove);

    auto* tools = new QVBoxLayout;
    auto* colours = new QHBoxLayout;
    COLOR = new tms::PixelView(QStringLiteral("COLOR"), swatchColumnSize, central);
    COLOR->setToolTip(QStringLiteral("Left button: left brush; right button: right brush"));
    connectMouse(COLOR, &tms::PixelView::mouseDown, this, &Mosaic_Easel_Main::COLOR_MouseDown);
    colours->addWidget(COLOR, 0, Qt::AlignTop);
    auto* brushes = new QVBoxLayout;
    const QStringList brushTips = {QStringLiteral("Right button colour"), QStringLiteral("Left button colour")};
    for (int i : {1, 0}) {
        Couleur[i] = new tms::PixelView(QStringLiteral("Couleur_%1").arg(i), brushBoxSize, central);
        Couleur[i]->setToolTip(brushTips[i]);
        brushes->addWidget(new QLabel(i == 1 ? QStringLiteral("Left") : QStringLiteral("Right"), central));
        brushes->addWidget(Couleur[i]);
    }
    brushes->addStretch();
    colours->addLayout(brushes);
    tools->addLayout(colours);

    chk_get = new QCheckBox(QStringLiteral("Get"), central);
    chk_get->setObjectName(QStringLiteral("chk_get"));
    connect(chk_get, &QCheckBox::clicked, this, &Mosaic_Easel_Main::chk_get_Click);
    chk_zoom2x = new QCheckBox(QStringLiteral("Zoom"), central);
    chk_zoom2x->setObjectName(QStringLiteral("chk_zoom2x"));
    connect(chk_zoom2x, &QCheckBox::clicked, this, &Mosaic_Easel_Main::chk_zoom2x_Click);
    cmd_grid = new QPushButton(QStringLiteral("grid"), central);
    cmd_grid->setObjectName(QStringLiteral("cmd_grid"));
    cmd_grid->setCheckable(true); // shows whether the grid is on
    connect(cmd_grid, &QPushButton::clicked, this, &Mosaic_Easel_Main::cmd_grid_Click);
    tools->addWidget(chk_get);
    tools->addWidget(chk_zoom2x);
    tools->addWidget(cmd_grid);

    // Scroll buttons: "1" moves by a pixel line, "8" by a character (or moves the zoom view).
    auto* scrolls = new QGridLayout;
    struct Scroll {
        const char* name;
        const char* caption;
        const char* tip;
        void (Mosaic_Easel_Main::*handler)();
        int row, column;
    };
    const Scroll buttons[] = {
        {"cmd_scroll_up", "1", "Scroll the picture up one pixel line", &Mosaic_Easel_Main::cmd_scroll_up_Click, 0, 1},
        {"cmd_scroll_up_8", "8", "Scroll the picture up one character (Zoom: move the view up)",
         &Mosaic_Easel_Main::cmd_scroll_up_8_Click, 0, 2},
        {"cmd_scroll_left", "8", "Scroll the picture left one character (Zoom: move the view left)",
         &Mosaic_Easel_Main::cmd_scroll_left_Click, 1, 1},
        {"cmd_scroll_right", "8", "Scroll the picture right one character (Zoom: move the view right)",
         &Mosaic_Easel_Main::cmd_scroll_right_Click, 1, 2},
        {"cmd_scroll_down", "1", "Scroll the picture down one pixel line", &Mosaic_Easel_Main::cmd_scroll_down_Click,
         2, 1},
        {"cmd_scroll_down_8", "8", "Scroll the picture down one character (Zoom: move the view down)",
         &Mosaic_Easel_Main::cmd_scroll_down_8_Click, 2, 2},
    };
    scrolls->addWidget(new QLabel(QStringLiteral("Up"), central), 0, 0);
    scrolls->addWidget(new QLabel(QStringLiteral("Side"), central), 1, 0);
    scrolls->addWidget(new QLabel(QStringLiteral("Down"), central), 2, 0);
    for (const Scroll& s : buttons) {
        QPushButton* button = makeButton(QString::fromLatin1(s.name), QString::fromLatin1(s.caption),
                                         QString::fromLatin1(s.tip), central);
        connect(button, &QPushButton::clicked, this, [this, s] { recordStep(QString::fromLatin1(s.tip), [&] { (this->*s.handler)(); }); });
        scrolls->addWidget(button, s.row, s.column);
    }
    tools->addLayout(scrolls);
    tools->addStretch();
    layout->addLayout(tools);
    layout->addStretch(); // a wider window gets empty room, not a wider side panel
    setCentralWidget(central);

    COLOR_Paint();
    Couleur_Paint(0);
    Couleur_Paint(1);
}

void Mosaic_Easel_Main::buildMenus()
{
    QMenu* Fichier = menuBar()->addMenu(QStringLiteral("&File"));
    Fichier->setObjectName(QStringLiteral("Fichier"));
    auto add = [&](const char* name, const QString& caption, std::function<void()> handler) {
        QAction* action = Fichier->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    tms::giveStandardKeys(add("Nouveau", QStringLiteral("&New"), [this] { Nouveau_Click(); }), tms::FileCommand::New);
    QAction* Ouvrir = add("Ouvrir", QStringLiteral("&Open"), [this] { Ouvrir_Click(); });
    tms::giveStandardKeys(Ouvrir, tms::FileCommand::Open);
    tms::giveStandardKeys(add("Sauver", QStringLiteral("&Save"), [this] { Sauver_Click(); }), tms::FileCommand::Save);
    tms::giveStandardKeys(add("SauverSous", QStringLiteral("Save &As"), [this] { SauverSous_Click(); }),
                          tms::FileCommand::SaveAs);
    tms::giveStandardKeys(add("Fermer", QStringLiteral("&Close"), [this] { Fermer_Click(); }), tms::FileCommand::Close);
    Fichier->addSeparator();
    add("ExporterC", QStringLiteral("&Export to C"), [this] { ExporterC_Click(); });
    add("ExporterASM", QStringLiteral("E&xport to ASM"), [this] { ExporterASM_Click(); });
    add("ExporterGRP", QStringLiteral("Export to &GRP"), [this] { ExporterGRP_Click(); });
    add("ExporterBIN", QStringLiteral("Export raw &tables"), [this] { ExporterBIN_Click(); });
    add("ImporterSCR", QStringLiteral("&Import SCR/MLT"), [this] { ImporterSCR_Click(); });
    add("ImporterGRP", QStringLiteral("Import G&RP"), [this] { ImporterGRP_Click(); });
    add("ImporterPicture", QStringLiteral("Import &Picture..."), [this] { ImporterPicture_Click(); });
    Fichier->addSeparator();
    tms::giveStandardKeys(add("Quitter", QStringLiteral("&Quit"), [this] { Quitter_Click(); }), tms::FileCommand::Quit);
    connectDocumentLife(Fichier, Ouvrir);

    buildEditMenu();
    // The click that closes a menu, on an item or beside it, must not paint.
    for (QMenu* menu : menuBar()->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
        tms::pauseWhileOpen(menu, Timer1, tick);
    QAction* Apropos = menuBar()->addAction(QStringLiteral("&?"));
    Apropos->setObjectName(QStringLiteral("Apropos"));
    connect(Apropos, &QAction::triggered, this, &Mosaic_Easel_Main::Apropos_Click);
}

std::optional<PaintDialogChoice> Mosaic_Easel_Main::runRealDialog(PaintDialog dialog, const PaintDialogChoice& start)
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
    const auto exportTo = [&](TransferDialog kind) -> std::optional<PaintDialogChoice> {
        const std::optional<ExportChoice> chosen = showExportDialog(kind, start.exportFormat, *m_dialogs, this, start.path);
        if (!chosen)
            return std::nullopt;
        PaintDialogChoice choice = start;
        choice.path = chosen->path;
        choice.exportFormat = chosen->format;
        return choice;
    };
    switch (dialog) {
    case PaintDialog::OpenPicture:
        return withPath(showOpenPPFile(*m_dialogs, this, start.path));
    case PaintDialog::SaveAsPicture: {
        const std::optional<SaveAsChoice> chosen = showSaveAsPPFile(*m_dialogs, this, start.path, start.fullScreen);
        if (!chosen)
            return std::nullopt;
        PaintDialogChoice choice = start;
        choice.path = chosen->path;
        choice.fullScreen = chosen->fullScreen;
        return choice;
    }
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

std::optional<PaintDialogChoice> Mosaic_Easel_Main::runDialog(PaintDialog dialog, const QString& subject)
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

void Mosaic_Easel_Main::Form_Activate()
{
    if (firstActivation) {
        if (tms::hasExtension(m_commandLine, QStringLiteral(".pp"))) {
            ChargePPFile(QFileInfo(m_commandLine).absoluteFilePath());
        } else if (isPictureFileName(m_commandLine)) {
            importPicture(QFileInfo(m_commandLine).absoluteFilePath());
        }
        ShowPicture();
        firstActivation = false;
        refreshCleanCopy();
    }
    Timer1.start();
}

void Mosaic_Easel_Main::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Once the window is on screen, so that a refusal of the command-line picture is
    // shown over it rather than on an empty screen.
    if (firstActivation)
        QTimer::singleShot(0, this, [this] {
            if (firstActivation)
                Form_Activate();
        });
}

bool Mosaic_Easel_Main::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate && !firstActivation)
        Form_Activate();
    return QMainWindow::event(event);
}

void Mosaic_Easel_Main::Timer1_Timer()
{
    tick = true;
}

// What opening the File menu does: the pause begins; the menu holds it until it closes.
void Mosaic_Easel_Main::Fichier_Click()
{
    Timer1.stop();
    tick = false;
}

void Mosaic_Easel_Main::Apropos_Click()
{
    const tms::TimerPause pause(Timer1, tick);
    showDialog(PaintDialog::About, {});
}

void Mosaic_Easel_Main::closeEvent(QCloseEvent* event)
{
    // When the save did not happen, or the question was cancelled, the window and the work stay.
    if (m_life->mayEndWindow(tms::endOfWindowPrompt(QStringLiteral("Do you want to save you works?"))))
        event->accept();
    else
        event->ignore();
}

} // namespace paint
