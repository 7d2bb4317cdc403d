// KARDO: construction, start-up, activation, timers and the life of a document.
#include "kardo_window.h"

#include "about_box.h"
#include "character_editing.h"
#include "document_life.h"
#include "color_swatch.h"
#include "file_extension.h"
#include "fonts.h"
#include "pixel_view.h"
#include "prototype_scan.h"
#include "qt_user_dialogs.h"
#include "snapshot_undo.h"
#include "table_rendering.h"
#include "timer_pause.h"
#include "window_aids.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QPushButton>
#include <QTimer>

namespace tile {

namespace {
constexpr int windowHeight = 420;
const QColor windowBackground(192, 192, 192);
} // namespace

KardoWindow::KardoWindow(Edition edition, QWidget* parent)
    : QMainWindow(parent), m_doc(edition), m_palette(editionPalette(edition))
{
    setObjectName(QStringLiteral("KARDO"));
    setWindowTitle(QStringLiteral("KARDO"));
    m_ownDialogs = std::make_unique<tms::QtUserDialogs>(this);
    m_dialogs = m_ownDialogs.get();

    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("area"));
    area->setAutoFillBackground(true);
    QPalette background = area->palette();
    background.setColor(QPalette::Window, windowBackground);
    area->setPalette(background);
    setCentralWidget(area);
    buildViews(area);
    buildMenus();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &KardoWindow::Timer1_Timer);
    if (!isModeOne()) { // kardo2 has no blinking swatch, and no second timer
        Timer2 = new QTimer(this);
        Timer2->setObjectName(QStringLiteral("Timer2"));
        Timer2->setInterval(200);
        connect(Timer2, &QTimer::timeout, this, &KardoWindow::Timer2_Timer);
    }

    // kardo2 always shows its sprite panel.
    // The status bar, which reports what was written, gets its own room under the fixed layout.
    resize(isModeOne() ? wideWidth : narrowWidth,
           windowHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    Form_Load();
    connectFileMenu();
    connectFontMenu();
    addNewUserAids();
}


KardoWindow::~KardoWindow()
{
    delete m_life; // before the document side it works on, while the undo stack still lives
}

void KardoWindow::setDialogs(tms::UserDialogs* dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
    if (m_life)
        m_life->setDialogs(*m_dialogs);
}

tms::UserDialogs& KardoWindow::dialogs()
{
    return *m_dialogs;
}

QPushButton* KardoWindow::addButton(QWidget* area, const QString& name, const QString& caption,
                                    const QRect& geometry, void (KardoWindow::*handler)())
{
    auto* button = new QPushButton(caption, area);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this,
            [this, handler, caption] { recordStep(caption.isEmpty() ? QStringLiteral("Scroll") : caption, [&] { (this->*handler)(); }); });
    return button;
}

void KardoWindow::buildViews(QWidget* area)
{
    buildCharacterEditor(area);
    buildScreenEditor(area);
    buildPatternTable(area);
    buildSpritePanel(area);

    // Line1 to Line4: a frame around the character editor area.
    const QRect lines[4] = {{2, 4, 234, 1}, {2, 192, 234, 1}, {2, 4, 1, 189}, {235, 4, 1, 189}};
    for (int i = 0; i < 4; ++i) {
        auto* line = new QFrame(area);
        line->setObjectName(QStringLiteral("Line%1").arg(i + 1));
        line->setGeometry(lines[i]);
        line->setStyleSheet(QStringLiteral("background: rgb(96, 96, 96);"));
    }
}

void KardoWindow::buildPatternTable(QWidget* area)
{
    PATTERN = new tms::PixelView(QStringLiteral("PATTERN"), {patternViewWidth, patternViewHeight}, area);
    PATTERN->move(11, 244);
    connect(PATTERN, &tms::PixelView::mouseDown, this, &KardoWindow::PATTERN_MouseDown);
    connect(PATTERN, &tms::PixelView::mouseMove, this, &KardoWindow::PATTERN_MouseMove);

    if (!isModeOne()) { // kardo2 has no block markers
        Label1 = new QLabel(QStringLiteral("Block markers:"), area);
        Label1->setObjectName(QStringLiteral("Label1"));
        Label1->setGeometry(11, 380, 90, 20);
        for (int i = 0; i < 2; ++i) {
            BLOCKMARKER[i] = new QLabel(area);
            BLOCKMARKER[i]->setObjectName(QStringLiteral("BLOCKMARKER_%1").arg(i));
            BLOCKMARKER[i]->setGeometry(104 + 84 * i, 380, 80, 20);
            BLOCKMARKER[i]->setAlignment(Qt::AlignCenter);
            BLOCKMARKER[i]->setAutoFillBackground(true);
        }
    }
    addButton(area, QStringLiteral("cmd_copy_pattern"), QStringLiteral("Copy"), {331, 378, 60, 24},
              &KardoWindow::cmd_copy_pattern_Click);
    cmd_paste_pattern = addButton(area, QStringLiteral("cmd_paste_pattern"), QStringLiteral("Paste"),
                                  {395, 378, 60, 24}, &KardoWindow::cmd_paste_pattern_Click);
    addButton(area, QStringLiteral("cmd_clear_pattern"), QStringLiteral("Clear"), {459, 378, 64, 24},
              &KardoWindow::cmd_clear_pattern_Click);
}

void KardoWindow::buildSpritePanel(QWidget* area)
{
    // Everything right of x = 552 is uncovered by "Show Sprites".
    NOSPRITE = new QLabel(area);
    NOSPRITE->setObjectName(QStringLiteral("NOSPRITE"));
    NOSPRITE->setGeometry(596, 4, 160, 16);
    SPRITE = new tms::PixelView(QStringLiteral("SPRITE"), {spriteViewSize, spriteViewSize}, area);
    SPRITE->move(596, 32);
    trackStroke(SPRITE, QStringLiteral("Sprite Drawing"), spriteViewScale);
    connect(SPRITE, &tms::PixelView::mouseDown, this, &KardoWindow::SPRITE_MouseDown);
    connect(SPRITE, &tms::PixelView::mouseMove, this, &KardoWindow::SPRITE_MouseMove);
    addButton(area, QStringLiteral("cmd2_scroll_up"), QString(), {596, 22, 128, 8}, &KardoWindow::cmd2_scroll_up_Click);
    addButton(area, QStringLiteral("cmd2_scroll_down"), QString(), {596, 162, 128, 8},
              &KardoWindow::cmd2_scroll_down_Click);
    addButton(area, QStringLiteral("cmd2_scroll_left"), QString(), {586, 32, 8, 128},
              &KardoWindow::cmd2_scroll_left_Click);
    addButton(area, QStringLiteral("cmd2_scroll_right"), QString(), {726, 32, 8, 128},
              &KardoWindow::cmd2_scroll_right_Click);

    const int left = 566, width = 62, height = 24;
    auto at = [&](int column, int row) { return QRect(left + column * (width + 4), 180 + row * (height + 4), width, height); };
    addButton(area, QStringLiteral("cmd_sprite_previous"), QStringLiteral("Previous"), at(0, 0),
              &KardoWindow::cmd_sprite_previous_Click);
    addButton(area, QStringLiteral("cmd_sprite_next"), QStringLiteral("Next"), at(1, 0),
              &KardoWindow::cmd_sprite_next_Click);
    addButton(area, QStringLiteral("cmd_sprite_color"), QStringLiteral("Color"), at(2, 0),
              &KardoWindow::cmd_sprite_color_Click);
    addButton(area, QStringLiteral("cmd_sprite_flipx"), QStringLiteral("FlipX"), at(0, 1),
              &KardoWindow::cmd_sprite_flipx_Click);
    addButton(area, QStringLiteral("cmd_sprite_flipy"), QStringLiteral("FlipY"), at(1, 1),
              &KardoWindow::cmd_sprite_flipy_Click);
    addButton(area, QStringLiteral("cmd_sprite_rotate"), QStringLiteral("Rotate"), at(2, 1),
              &KardoWindow::cmd_sprite_rotate_Click);
    addButton(area, QStringLiteral("cmd_sprite_copy"), QStringLiteral("Copy"), at(0, 2),
              &KardoWindow::cmd_sprite_copy_Click);
    cmd_sprite_paste = addButton(area, QStringLiteral("cmd_sprite_paste"), QStringLiteral("Paste"), at(1, 2),
                                 &KardoWindow::cmd_sprite_paste_Click);
    addButton(area, QStringLiteral("cmd_sprite_clean"), QStringLiteral("Clear"), at(2, 2),
              &KardoWindow::cmd_sprite_clean_Click);
    if (!isModeOne())
        cmd_hide_sprite = addButton(area, QStringLiteral("cmd_hide_sprite"), QStringLiteral("Hide Sprites"),
                                    at(0, 4).adjusted(0, 0, width + 4, 0), &KardoWindow::cmd_hide_sprite_Click);
}

void KardoWindow::buildMenus()
{
    Fichier = menuBar()->addMenu(QStringLiteral("&File"));
    Fichier->setObjectName(QStringLiteral("Fichier"));
    auto item = [&](QMenu* menu, const QString& name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    Nouveau = item(Fichier, QStringLiteral("Nouveau"), QStringLiteral("&New"));
    Ouvrir = item(Fichier, QStringLiteral("Ouvrir"), QStringLiteral("&Open"));
    Sauver = item(Fichier, QStringLiteral("Sauver"), QStringLiteral("&Save"));
    SauverSous = item(Fichier, QStringLiteral("SauverSous"), QStringLiteral("Save &As"));
    Fermer = item(Fichier, QStringLiteral("Fermer"), QStringLiteral("&Close"));
    Fichier->addSeparator();
    ShowPrintForm = item(Fichier, QStringLiteral("ShowPrintForm"), QStringLiteral("&Print"));
    ExporterC = item(Fichier, QStringLiteral("ExporterC"), QStringLiteral("&Export to C"));
    ExporterASM = item(Fichier, QStringLiteral("ExporterASM"), QStringLiteral("E&xport to ASM"));
    ExporterBIN = item(Fichier, QStringLiteral("ExporterBIN"), QStringLiteral("Export raw &tables"));
    buildPictureMenus();
    Fichier->addSeparator();
    Quitter = item(Fichier, QStringLiteral("Quitter"), QStringLiteral("&Quit"));
    tms::giveStandardKeys(Nouveau, tms::FileCommand::New);
    tms::giveStandardKeys(Ouvrir, tms::FileCommand::Open);
    tms::giveStandardKeys(Sauver, tms::FileCommand::Save);
    tms::giveStandardKeys(SauverSous, tms::FileCommand::SaveAs);
    tms::giveStandardKeys(Fermer, tms::FileCommand::Close);
    tms::giveStandardKeys(Quitter, tms::FileCommand::Quit);
    connect(Nouveau, &QAction::triggered, this, &KardoWindow::Nouveau_Click);
    connect(Ouvrir, &QAction::triggered, this, &KardoWindow::Ouvrir_Click);
    connect(Sauver, &QAction::triggered, this, &KardoWindow::Sauver_Click);
    connect(SauverSous, &QAction::triggered, this, &KardoWindow::SauverSous_Click);
    connect(Fermer, &QAction::triggered, this, &KardoWindow::Fermer_Click);
    connect(ExporterC, &QAction::triggered, this, &KardoWindow::ExporterC_Click);
    connect(ExporterASM, &QAction::triggered, this, &KardoWindow::ExporterASM_Click);
    connect(ExporterBIN, &QAction::triggered, this, &KardoWindow::ExporterBIN_Click);
    connect(Quitter, &QAction::triggered, this, &KardoWindow::Quitter_Click);

    buildEditMenu();
    Polices = menuBar()->addMenu(QStringLiteral("Fonts &Set"));
    Polices->setObjectName(QStringLiteral("Polices"));
    for (int i = 1; i <= int(fontMenuFaces(m_doc.edition).size()); ++i)
        item(Polices, QStringLiteral("font%1").arg(i), QStringLiteral("Font #&%1").arg(i));
    item(Polices, QStringLiteral("morefont"), QStringLiteral("&More Font"));
    item(Polices, QStringLiteral("savefont"), QStringLiteral("Save &Pattern As Font"));

    Apropos = menuBar()->addAction(QStringLiteral("&?"));
    Apropos->setObjectName(QStringLiteral("Apropos"));
    connect(Apropos, &QAction::triggered, this, &KardoWindow::Apropos_Click);
}

void KardoWindow::Form_Load()
{
    if (isModeOne())
        paintColorStrip();
    for (int i = 0; i < 16 && !isModeOne(); ++i)
        COLOR[i]->setFillColor(tms::toQColor(m_palette[i]));
    outlineLightSwatch();
    m_colorTarget = ForegroundTarget;
    m_doc.ResetTables();
    m_doc.currentSprite = 0;
    m_doc.currentChar = 32;
    m_editing.selectedSwatch = 1;
    m_doc.markedBlock = {0, 255};
    m_doc.markerTurn = 0;
    showBlockMarkers();
    m_doc.modified = false;
    m_firstActivation = true;

    m_prototypePath = readPrototypePath(m_prototypeListFile);

    m_cExportRows = {};
    cmd_paste_car->setEnabled(false);
    cmd_paste_pattern->setEnabled(false);
    cmd_sprite_paste->setEnabled(false);
}

void KardoWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Some window systems never report the first activation; run it once shown.
    if (m_firstActivation)
        QTimer::singleShot(0, this, [this] {
            if (m_firstActivation)
                Form_Activate();
        });
}

void KardoWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void KardoWindow::Form_Activate()
{
    if (m_firstActivation) {
        if (tms::hasExtension(m_commandLine, QStringLiteral(".dat")))
            loadCommandLineFile(m_commandLine);
        cmd_Refresh_Click();
        cmd_paste_car->setEnabled(false);
        cmd_paste_pattern->setEnabled(false);
        m_firstActivation = false;
    }

    cmd_prototype->hide();
    m_prototypeOffset = scanPrototype(m_prototypePath);
    if (m_prototypeOffset)
        cmd_prototype->show();

    Timer1->start();
    if (isModeOne())
        return; // the colour selector keeps its value
    COL[m_editing.selectedSwatch]->drawOutline(COL[m_editing.selectedSwatch]->fillColor());
    m_editing.selectedSwatch = allRowsForegroundSwatch;
    Timer2->start();
}

void KardoWindow::Timer1_Timer()
{
    m_editing.tick = true;
}

void KardoWindow::Timer2_Timer()
{
    if (isModeOne())
        return; // kardo2 has no second timer
    ColorSwatch* swatch = COL[m_editing.selectedSwatch];
    const QColor fill = swatch->fillColor();
    if (swatch->drawColor() != fill)
        swatch->drawOutline(fill);
    else
        swatch->drawOutline(QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()));
}

void KardoWindow::withTimerPaused(const std::function<void()>& work)
{
    tms::withTimerPaused(*Timer1, m_editing.tick, work);
}

// What opening the File or the Fonts menu does: the pause begins. The menus hold it
// until they close (connectFileMenu).
void KardoWindow::Fichier_Click()
{
    Timer1->stop();
    m_editing.tick = false;
}

void KardoWindow::Polices_Click()
{
    Fichier_Click();
}

void KardoWindow::Apropos_Click()
{
    const tms::TimerPause pause(*Timer1, m_editing.tick);
    tms::AboutBox about({editionProgramName(m_doc.edition), QStringLiteral(SUITE_VERSION),
                         isModeOne() ? QStringLiteral("Only Screen Mode 1 Graphics")
                                     : QStringLiteral("Tile editor for the TMS9918A's screen mode 2: characters, "
                                                      "screen and sprites, exported as assembler or C tables.")},
                        dialogs(), this);
    about.exec();
}

void KardoWindow::cmd_Refresh_Click()
{
    DrawScreen(ECRAN->buffer(), m_doc, m_palette);
    ECRAN->present();
    DrawPatternTable(PATTERN->buffer(), m_doc, m_palette);
    PATTERN->present();
    drawCurrentCharView();
    showCharHex();
    presentSprite();
    // The current character keeps its frame: presenting the pattern table wiped it.
    markCurrentChar();
}

void KardoWindow::presentSprite()
{
    DrawSprite(SPRITE->buffer(), m_doc, m_palette);
    SPRITE->present();
    NOSPRITE->setText(QStringLiteral("Sprite Pattern # %1").arg(m_doc.currentSprite));
}

void KardoWindow::cmd_show_sprite_Click()
{
    if (!cmd_show_sprite || cmd_show_sprite->isHidden())
        return;
    cmd_show_sprite->hide();
    setMinimumWidth(wideWidth);
    resize(wideWidth, height());
}

void KardoWindow::cmd_hide_sprite_Click()
{
    if (!cmd_show_sprite || !cmd_show_sprite->isHidden())
        return;
    cmd_show_sprite->show();
    setMinimumWidth(narrowWidth);
    resize(narrowWidth, height());
}

void KardoWindow::cmd_prototype_Click()
{
    // kardo3's button only shows that a cartridge image with the marker was found.
    if (isModeOne())
        writePrototypeTables();
}

void KardoWindow::closeEvent(QCloseEvent* event)
{
    if (Form_Terminate())
        event->accept();
    else
        event->ignore();
}

} // namespace tile
