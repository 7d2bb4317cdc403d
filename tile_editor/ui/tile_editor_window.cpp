// KARDO: construction, start-up, activation, timers and the life of a document.
#include "tile_editor_window.h"

#include "about_box.h"
#include "character_editing.h"
#include "color_swatch.h"
#include "document_life.h"
#include "file_extension.h"
#include "fonts.h"
#include "palette_colors.h"
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
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace tile {

namespace {
constexpr int windowHeight = 420;
const QColor windowBackground(192, 192, 192);
} // namespace

TileEditorWindow::TileEditorWindow(Edition edition, QWidget* parent)
    : QMainWindow(parent), m_doc(edition), m_palette(editionTraits(edition).palette())
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

    m_paintTimer = new QTimer(this);
    m_paintTimer->setObjectName(QStringLiteral("Timer1"));
    m_paintTimer->setInterval(500);
    connect(m_paintTimer, &QTimer::timeout, this, &TileEditorWindow::onPaintTick);
    if (traits().rowSwatches) { // the selected row swatch blinks
        m_blinkTimer = new QTimer(this);
        m_blinkTimer->setObjectName(QStringLiteral("Timer2"));
        m_blinkTimer->setInterval(200);
        connect(m_blinkTimer, &QTimer::timeout, this, &TileEditorWindow::onBlinkTick);
    }

    // kardo2 always shows its sprite panel.
    // The status bar, which reports what was written, gets its own room under the fixed layout.
    resize(traits().spritePanelAlwaysShown ? wideWidth : narrowWidth,
           windowHeight + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    startFresh();
    connectFileMenu();
    connectFontMenu();
    addNewUserAids();
}

TileEditorWindow::~TileEditorWindow()
{
    delete m_life; // before the document side it works on, while the undo stack still lives
    // The box loses the focus when the base class deletes it, after this window is gone:
    // its filter must not reach the window then.
    if (m_hexEdit)
        m_hexEdit->removeEventFilter(m_hexKeyFilter);
}

void TileEditorWindow::setDialogs(tms::UserDialogs* dialogs)
{
    m_dialogs = dialogs ? dialogs : m_ownDialogs.get();
    if (m_life)
        m_life->setDialogs(*m_dialogs);
}

tms::UserDialogs& TileEditorWindow::dialogs()
{
    return *m_dialogs;
}

QPushButton* TileEditorWindow::addButton(QWidget* area, const QString& name, const QString& caption,
                                         const QRect& geometry, void (TileEditorWindow::*handler)())
{
    auto* button = new QPushButton(caption, area);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &QPushButton::clicked, this, [this, handler, caption] {
        recordStep(caption.isEmpty() ? QStringLiteral("Scroll") : caption, [&] { (this->*handler)(); });
    });
    return button;
}

void TileEditorWindow::buildViews(QWidget* area)
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

void TileEditorWindow::buildPatternTable(QWidget* area)
{
    m_patternTableView = new tms::PixelView(QStringLiteral("PATTERN"), {patternViewWidth, patternViewHeight}, area);
    m_patternTableView->move(11, 244);
    connect(m_patternTableView, &tms::PixelView::mouseDown, this, &TileEditorWindow::onPatternTableMousePressed);
    connect(m_patternTableView, &tms::PixelView::mouseMove, this, &TileEditorWindow::onPatternTableMouseMoved);

    if (traits().blockMarkers) {
        m_blockMarkersLabel = new QLabel(QStringLiteral("Block markers:"), area);
        m_blockMarkersLabel->setObjectName(QStringLiteral("Label1"));
        m_blockMarkersLabel->setGeometry(11, 380, 90, 20);
        for (int i = 0; i < 2; ++i) {
            m_blockMarkerLabels[i] = new QLabel(area);
            m_blockMarkerLabels[i]->setObjectName(QStringLiteral("BLOCKMARKER_%1").arg(i));
            m_blockMarkerLabels[i]->setGeometry(104 + 84 * i, 380, 80, 20);
            m_blockMarkerLabels[i]->setAlignment(Qt::AlignCenter);
            m_blockMarkerLabels[i]->setAutoFillBackground(true);
        }
    }
    addButton(area, QStringLiteral("cmd_copy_pattern"), QStringLiteral("Copy"), {331, 378, 60, 24},
              &TileEditorWindow::onPatternCopyClicked);
    m_patternPasteButton = addButton(area, QStringLiteral("cmd_paste_pattern"), QStringLiteral("Paste"),
                                     {395, 378, 60, 24}, &TileEditorWindow::onPatternPasteClicked);
    addButton(area, QStringLiteral("cmd_clear_pattern"), QStringLiteral("Clear"), {459, 378, 64, 24},
              &TileEditorWindow::onPatternClearClicked);
}

void TileEditorWindow::buildSpritePanel(QWidget* area)
{
    // Everything right of x = 552 is uncovered by "Show Sprites".
    m_spriteNumberLabel = new QLabel(area);
    m_spriteNumberLabel->setObjectName(QStringLiteral("NOSPRITE"));
    m_spriteNumberLabel->setGeometry(596, 4, 160, 16);
    m_spriteView = new tms::PixelView(QStringLiteral("SPRITE"), {spriteViewSize, spriteViewSize}, area);
    m_spriteView->move(596, 32);
    trackStroke(m_spriteView, QStringLiteral("Sprite Drawing"), spriteViewScale);
    connect(m_spriteView, &tms::PixelView::mouseDown, this, &TileEditorWindow::onSpriteEditorMousePressed);
    connect(m_spriteView, &tms::PixelView::mouseMove, this, &TileEditorWindow::onSpriteEditorMouseMoved);
    addButton(area, QStringLiteral("cmd2_scroll_up"), QString(), {596, 22, 128, 8},
              &TileEditorWindow::onSpriteScrollUpClicked);
    addButton(area, QStringLiteral("cmd2_scroll_down"), QString(), {596, 162, 128, 8},
              &TileEditorWindow::onSpriteScrollDownClicked);
    addButton(area, QStringLiteral("cmd2_scroll_left"), QString(), {586, 32, 8, 128},
              &TileEditorWindow::onSpriteScrollLeftClicked);
    addButton(area, QStringLiteral("cmd2_scroll_right"), QString(), {726, 32, 8, 128},
              &TileEditorWindow::onSpriteScrollRightClicked);

    const int left = 566, width = 62, height = 24;
    auto at = [&](int column, int row) {
        return QRect(left + column * (width + 4), 180 + row * (height + 4), width, height);
    };
    addButton(area, QStringLiteral("cmd_sprite_previous"), QStringLiteral("Previous"), at(0, 0),
              &TileEditorWindow::onSpritePreviousClicked);
    addButton(area, QStringLiteral("cmd_sprite_next"), QStringLiteral("Next"), at(1, 0),
              &TileEditorWindow::onSpriteNextClicked);
    addButton(area, QStringLiteral("cmd_sprite_color"), QStringLiteral("Color"), at(2, 0),
              &TileEditorWindow::onSpriteColorClicked);
    addButton(area, QStringLiteral("cmd_sprite_flipx"), QStringLiteral("FlipX"), at(0, 1),
              &TileEditorWindow::onSpriteFlipXClicked);
    addButton(area, QStringLiteral("cmd_sprite_flipy"), QStringLiteral("FlipY"), at(1, 1),
              &TileEditorWindow::onSpriteFlipYClicked);
    addButton(area, QStringLiteral("cmd_sprite_rotate"), QStringLiteral("Rotate"), at(2, 1),
              &TileEditorWindow::onSpriteRotateClicked);
    addButton(area, QStringLiteral("cmd_sprite_copy"), QStringLiteral("Copy"), at(0, 2),
              &TileEditorWindow::onSpriteCopyClicked);
    m_spritePasteButton = addButton(area, QStringLiteral("cmd_sprite_paste"), QStringLiteral("Paste"), at(1, 2),
                                    &TileEditorWindow::onSpritePasteClicked);
    addButton(area, QStringLiteral("cmd_sprite_clean"), QStringLiteral("Clear"), at(2, 2),
              &TileEditorWindow::onSpriteClearClicked);
    if (!traits().spritePanelAlwaysShown)
        m_hideSpritesButton = addButton(area, QStringLiteral("cmd_hide_sprite"), QStringLiteral("Hide Sprites"),
                                        at(0, 4).adjusted(0, 0, width + 4, 0), &TileEditorWindow::onHideSpritesClicked);
}

void TileEditorWindow::buildMenus()
{
    m_fileMenu = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu->setObjectName(QStringLiteral("Fichier"));
    auto item = [&](QMenu* menu, const QString& name, const QString& caption) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        return action;
    };
    m_newAction = item(m_fileMenu, QStringLiteral("Nouveau"), QStringLiteral("&New"));
    m_openAction = item(m_fileMenu, QStringLiteral("Ouvrir"), QStringLiteral("&Open"));
    m_saveAction = item(m_fileMenu, QStringLiteral("Sauver"), QStringLiteral("&Save"));
    m_saveAsAction = item(m_fileMenu, QStringLiteral("SauverSous"), QStringLiteral("Save &As"));
    m_closeAction = item(m_fileMenu, QStringLiteral("Fermer"), QStringLiteral("&Close"));
    m_fileMenu->addSeparator();
    m_printAction = item(m_fileMenu, QStringLiteral("ShowPrintForm"), QStringLiteral("&Print"));
    m_exportCAction = item(m_fileMenu, QStringLiteral("ExporterC"), QStringLiteral("&Export to C"));
    m_exportAsmAction = item(m_fileMenu, QStringLiteral("ExporterASM"), QStringLiteral("E&xport to ASM"));
    m_exportTablesAction = item(m_fileMenu, QStringLiteral("ExporterBIN"), QStringLiteral("Export raw &tables"));
    buildPictureMenus();
    m_fileMenu->addSeparator();
    m_quitAction = item(m_fileMenu, QStringLiteral("Quitter"), QStringLiteral("&Quit"));
    tms::giveStandardKeys(m_newAction, tms::FileCommand::New);
    tms::giveStandardKeys(m_openAction, tms::FileCommand::Open);
    tms::giveStandardKeys(m_saveAction, tms::FileCommand::Save);
    tms::giveStandardKeys(m_saveAsAction, tms::FileCommand::SaveAs);
    tms::giveStandardKeys(m_closeAction, tms::FileCommand::Close);
    tms::giveStandardKeys(m_quitAction, tms::FileCommand::Quit);
    connect(m_newAction, &QAction::triggered, this, &TileEditorWindow::onNewTriggered);
    connect(m_openAction, &QAction::triggered, this, &TileEditorWindow::onOpenTriggered);
    connect(m_saveAction, &QAction::triggered, this, &TileEditorWindow::onSaveTriggered);
    connect(m_saveAsAction, &QAction::triggered, this, &TileEditorWindow::onSaveAsTriggered);
    connect(m_closeAction, &QAction::triggered, this, &TileEditorWindow::onCloseTriggered);
    connect(m_exportCAction, &QAction::triggered, this, &TileEditorWindow::onExportCTriggered);
    connect(m_exportAsmAction, &QAction::triggered, this, &TileEditorWindow::onExportAsmTriggered);
    connect(m_exportTablesAction, &QAction::triggered, this, &TileEditorWindow::onExportTablesTriggered);
    connect(m_quitAction, &QAction::triggered, this, &TileEditorWindow::onQuitTriggered);

    buildEditMenu();
    m_fontsMenu = menuBar()->addMenu(QStringLiteral("Fonts &Set"));
    m_fontsMenu->setObjectName(QStringLiteral("Polices"));
    for (int i = 1; i <= int(traits().fontMenu.size()); ++i)
        item(m_fontsMenu, QStringLiteral("font%1").arg(i), QStringLiteral("Font #&%1").arg(i));
    item(m_fontsMenu, QStringLiteral("morefont"), QStringLiteral("&More Font"));
    item(m_fontsMenu, QStringLiteral("savefont"), QStringLiteral("Save &Pattern As Font"));

    m_aboutAction = menuBar()->addAction(QStringLiteral("&?"));
    m_aboutAction->setObjectName(QStringLiteral("Apropos"));
    connect(m_aboutAction, &QAction::triggered, this, &TileEditorWindow::onAboutTriggered);
}

void TileEditorWindow::startFresh()
{
    if (!traits().rowSwatches)
        paintColorStrip();
    for (int i = 0; i < 16 && traits().rowSwatches; ++i)
        m_paletteSwatches[i]->setFillColor(tms::toQColor(m_palette[i]));
    outlineLightSwatch();
    m_colorTarget = ForegroundTarget;
    m_doc.resetTables();
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
    m_charPasteButton->setEnabled(false);
    m_patternPasteButton->setEnabled(false);
    m_spritePasteButton->setEnabled(false);
}

void TileEditorWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Some window systems never report the first activation; run it once shown.
    if (m_firstActivation)
        QTimer::singleShot(0, this, [this] {
            if (m_firstActivation)
                onActivated();
        });
}

void TileEditorWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        onActivated();
}

void TileEditorWindow::onActivated()
{
    if (m_firstActivation) {
        if (tms::hasExtension(m_commandLine, QStringLiteral(".dat")))
            loadCommandLineFile(m_commandLine);
        onRefreshClicked();
        m_charPasteButton->setEnabled(false);
        m_patternPasteButton->setEnabled(false);
        m_firstActivation = false;
    }

    m_prototypeButton->hide();
    m_prototypeOffset = scanPrototype(m_prototypePath);
    if (m_prototypeOffset)
        m_prototypeButton->show();

    m_paintTimer->start();
    if (!traits().rowSwatches)
        return; // the colour selector keeps its value
    m_rowSwatches[m_editing.selectedSwatch]->drawOutline(m_rowSwatches[m_editing.selectedSwatch]->fillColor());
    m_editing.selectedSwatch = allRowsForegroundSwatch;
    m_blinkTimer->start();
}

void TileEditorWindow::onPaintTick()
{
    m_editing.tick = true;
}

void TileEditorWindow::onBlinkTick()
{
    if (!traits().rowSwatches)
        return; // no blinking swatch, and no second timer
    ColorSwatch* swatch = m_rowSwatches[m_editing.selectedSwatch];
    const QColor fill = swatch->fillColor();
    if (swatch->drawColor() != fill)
        swatch->drawOutline(fill);
    else
        swatch->drawOutline(QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()));
}

void TileEditorWindow::withTimerPaused(const std::function<void()>& work)
{
    tms::withTimerPaused(*m_paintTimer, m_editing.tick, work);
}

// What opening the File or the Fonts menu does: the pause begins. The menus hold it
// until they close (connectFileMenu).
void TileEditorWindow::onFileMenuOpened()
{
    m_paintTimer->stop();
    m_editing.tick = false;
}

void TileEditorWindow::onFontsMenuOpened()
{
    onFileMenuOpened();
}

void TileEditorWindow::onAboutTriggered()
{
    const tms::TimerPause pause(*m_paintTimer, m_editing.tick);
    tms::AboutBox about({traits().program(), QStringLiteral(SUITE_VERSION), QString::fromUtf8(traits().aboutText)},
                        dialogs(), this);
    about.exec();
}

void TileEditorWindow::onRefreshClicked()
{
    drawScreen(m_screenView->buffer(), m_doc, m_palette);
    m_screenView->present();
    drawPatternTable(m_patternTableView->buffer(), m_doc, m_palette);
    m_patternTableView->present();
    drawCurrentCharView();
    showCharHex();
    presentSprite();
    // The current character keeps its frame: presenting the pattern table wiped it.
    markCurrentChar();
}

void TileEditorWindow::presentSprite()
{
    drawSprite(m_spriteView->buffer(), m_doc, m_palette);
    m_spriteView->present();
    m_spriteNumberLabel->setText(QStringLiteral("Sprite Pattern # %1").arg(m_doc.currentSprite));
}

void TileEditorWindow::onShowSpritesClicked()
{
    if (!m_showSpritesButton || m_showSpritesButton->isHidden())
        return;
    m_showSpritesButton->hide();
    setMinimumWidth(wideWidth);
    resize(wideWidth, height());
}

void TileEditorWindow::onHideSpritesClicked()
{
    if (!m_showSpritesButton || !m_showSpritesButton->isHidden())
        return;
    m_showSpritesButton->show();
    setMinimumWidth(narrowWidth);
    resize(narrowWidth, height());
}

void TileEditorWindow::onPrototypeClicked()
{
    // kardo3's button only shows that a cartridge image with the marker was found.
    if (traits().writesPrototype)
        writePrototypeTables();
}

void TileEditorWindow::closeEvent(QCloseEvent* event)
{
    if (confirmClose())
        event->accept();
    else
        event->ignore();
}

} // namespace tile
