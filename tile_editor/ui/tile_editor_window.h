#pragma once
// KARDO, the tile editor's main window: it owns the document and shows it in four
// views (character editor, pattern table, screen, sprite editor). The window's pieces
// are split over files by concern (tile_editor_window_*.cpp).
//
// The controls keep the objectNames the tests and accessibility find them by:
//   m_charEditorView CARACTERE, m_patternTableView PATTERN, m_screenView ECRAN,
//   m_spriteView SPRITE, m_paletteSwatches COLOR_0..15, m_rowSwatches COL_0..17,
//   m_colorStrip COLOR, m_hexEdit TextHEX, m_charNumberLabel NOCARACTERE,
//   m_cursorColumnLabel LACOORX, m_cursorRowLabel LACOORY, m_cursorCharLabel LACARAC,
//   m_spriteNumberLabel NOSPRITE, m_blockMarkersLabel Label1, m_blockMarkerLabels
//   BLOCKMARKER_0..1, m_xxxButton cmd_xxx (m_refreshButton cmd_Refresh, m_showSpritesButton
//   cmd_show_sprite, m_hideSpritesButton cmd_hide_sprite, m_prototypeButton cmd_prototype,
//   m_charPasteButton cmd_paste_car, m_patternPasteButton cmd_paste_pattern,
//   m_spritePasteButton cmd_sprite_paste), m_paintTimer Timer1, m_blinkTimer Timer2,
//   m_fileMenu Fichier, m_editMenu Edit, m_fontsMenu Polices, m_spritesMenu Sprites,
//   m_aboutAction Apropos, m_newAction Nouveau, m_openAction Ouvrir, m_saveAction Sauver,
//   m_saveAsAction SauverSous, m_closeAction Fermer, m_quitAction Quitter,
//   m_printAction ShowPrintForm, m_exportCAction ExporterC, m_exportAsmAction ExporterASM,
//   m_exportTablesAction ExporterBIN, m_importPictureAction ImporterPicture,
//   m_importTilesetAction ImporterTileset, m_importSpritesAction ImporterSprites,
//   m_exportTilesetAction ExporterTileset, m_exportSpritesAction ExporterSprites,
//   m_exportScreenPngAction ExporterPNG.

#include "asm_export.h"
#include "c_export.h"
#include "direction.h"
#include "editing_state.h"
#include "group_colors.h"
#include "palette.h"
#include "print_sheet.h"
#include "tile_document.h"

#include "picture_to_screen.h"

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <span>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTimer;
class QUndoStack;

namespace tms {
class DocumentLife;
class DocumentUndo;
struct FileResult;
class PixelView;
class RecentFiles;
class UserDialogs;
} // namespace tms

namespace dither {
class PictureImportDialog;
}

namespace tile {

class ColorSwatch;
class PrinterForm;

// The file dialogs the window opens.
enum class FileDialogKind {
    OpenDAT,
    SaveAsDAT,
    ExportASM,
    ExportC,
    OpenFCV,
    SaveAsFCV,
    ExportBIN,
    // Pictures (tile_editor_window_pictures.cpp): a picture as tiles, the sheets, the screen as PNG.
    ImportPicture,
    ImportTileset,
    ImportSprites,
    ExportTileset,
    ExportSprites,
    ExportScreenPNG,
};

// What a confirmed file dialog returns: the path, and the options shown below its
// file lists (the C export's for now; each export adds its own here).
struct FileChoice {
    FileChoice(QString chosenPath = {}, CExportOptions cOptions = {}) : path(std::move(chosenPath)), cExport(cOptions)
    {
    }
    QString path;
    CExportOptions cExport;
    AsmExportOptions asmExport;
    tms::Compression binaryCompression = tms::Compression::None; // ExportBIN
};

class TileEditorWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int narrowWidth = 534;
    static constexpr int wideWidth = 768;

    explicit TileEditorWindow(Edition edition = Edition::ScreenMode2, QWidget* parent = nullptr);
    ~TileEditorWindow() override;

    TileDocument& document() { return m_doc; }
    EditingState& editing() { return m_editing; }
    // What the edition shows and does differently (edition.h).
    const EditionTraits& traits() const { return m_doc.traits(); }
    const tms::Palette& palette() const { return m_palette; }

    // Seams for tests: the message boxes, the file dialogs (a runner that plays the
    // user by returning a choice, or nullopt for a dialog closed without one), the
    // command line and the prototype list.
    using FileDialogRunner = std::function<std::optional<FileChoice>(FileDialogKind)>;
    void setDialogs(tms::UserDialogs* dialogs);
    tms::UserDialogs& dialogs();
    void setFileDialogRunner(FileDialogRunner runner) { m_runFileDialog = std::move(runner); }
    void setCommandLine(const QString& commandLine) { m_commandLine = commandLine; }
    void setPrototypeListFile(const QString& path) { m_prototypeListFile = path; }
    std::optional<qint64> prototypeOffset() const { return m_prototypeOffset; }
    // Shows the print dialog; tests replace it and play the user on the form.
    void setPrintFormRunner(std::function<void(PrinterForm&)> runner) { m_runPrintForm = std::move(runner); }
    // Shows Import Picture's dialog (a live preview of the tiles); tests replace it and
    // return the choices, or nullopt for Cancel.
    using PictureImportRunner =
        std::function<std::optional<dither::PictureImportSettings>(dither::PictureImportDialog&)>;
    void setPictureImportRunner(PictureImportRunner runner) { m_runPictureImport = std::move(runner); }

    // Imports a picture file as tiles (Import Picture after its file dialog, or a
    // dropped picture): the dialog, then the question about unsaved work, then the
    // document is replaced as one undo step.
    void importPictureFile(const QString& path);

    // Opens a project chosen outside the Open dialog (dropped on the window, or an
    // entry of Open Recent) with the dialog's check and Open's question.
    void openProjectFile(const QString& path);
    tms::RecentFiles* recentFiles() const;
    // New, Open, Save, Close and Quit, the question about unsaved work and the title.
    tms::DocumentLife& documentLife();

    // Start-up and life of the window.
    void startFresh();
    void onActivated();
    // The end-of-window prompt; false when the window must stay (the work was not saved).
    bool confirmClose();

    // Redraws.
    void onRefreshClicked(); // Refresh All
    // The character views: the editor, the character's pattern cell with its frame,
    // the screen and the hex box.
    void drawCharacterViews();
    void showCharHex();
    void showBlockMarkers();
    void presentSprite();

    // The document's undo steps (tile_editor_window_undo.cpp).
    tms::DocumentUndo& undo();

public slots:
    void onPaintTick();
    void onBlinkTick();

    // File menu.
    void onFileMenuOpened();
    void onNewTriggered();
    bool onCloseTriggered();
    void onQuitTriggered();
    void onOpenTriggered();
    bool onSaveTriggered();
    bool onSaveAsTriggered();
    void onExportCTriggered();
    void onExportAsmTriggered();
    void onExportTablesTriggered();
    // Pictures (tile_editor_window_pictures.cpp).
    void onImportPictureTriggered();
    void onImportTilesetTriggered();
    void onImportSpritesTriggered();
    void onExportTilesetTriggered();
    void onExportSpritesTriggered();
    void onExportScreenPngTriggered();
    void onFontsMenuOpened();
    void onAboutTriggered();

    // Fonts menu and printing (tile_editor_window_fonts.cpp). Index 1.. is the item "Font #Index".
    void onFontTriggered(int index);
    void onLoadFontTriggered();
    void onSaveFontTriggered();
    void onPrintTriggered();

    // Window buttons.
    void onShowSpritesClicked();
    void onHideSpritesClicked();
    void onPrototypeClicked();

    // Character editor.
    void onCharEditorMousePressed(int button, int modifiers, double x, double y);
    void onCharEditorMouseMoved(int button, int modifiers, double x, double y);
    void onPatternTableMousePressed(int button, int modifiers, double x, double y);
    void onPatternTableMouseMoved(int button, int modifiers, double x, double y);
    void onRowSwatchClicked(int index);
    void onPaletteSwatchClicked(int index);
    // Screen mode 1: a press on the vertical colour strip (tile_editor_window_mode1.cpp).
    void onColorStripMousePressed(int button, int modifiers, double x, double y);
    // Returns the character the hex box receives (null: discarded).
    QChar onHexKeyTyped(QChar key);
    void onHexKeyReleased(int keyCode, int modifiers);
    void applyHexText();
    // Ends the hex box's entry: the next digit begins a new undo step.
    void endHexEntry();

    // Character and pattern-table operations.
    void onCharFlipXClicked();
    void onCharFlipYClicked();
    void onCharRotateClicked();
    void onCharInvertClicked();
    void onCharClearClicked();
    void onCharScrollUpClicked();
    void onCharScrollDownClicked();
    void onCharScrollLeftClicked();
    void onCharScrollRightClicked();
    void onCharCopyClicked();
    void onCharPasteClicked();
    void onPatternCopyClicked();
    void onPatternPasteClicked();
    void onPatternClearClicked();

    // Screen editor.
    void onScreenMousePressed(int button, int modifiers, double x, double y);
    void onScreenMouseMoved(int button, int modifiers, double x, double y);
    void onScreenScrollUpClicked();
    void onScreenScrollDownClicked();
    void onScreenScrollLeftClicked();
    void onScreenScrollRightClicked();

    // Sprite editor.
    void onSpriteEditorMousePressed(int button, int modifiers, double x, double y);
    void onSpriteEditorMouseMoved(int button, int modifiers, double x, double y);
    void onSpritePreviousClicked();
    void onSpriteNextClicked();
    void onSpriteColorClicked();
    void onSpriteFlipXClicked();
    void onSpriteFlipYClicked();
    void onSpriteRotateClicked();
    void onSpriteScrollUpClicked();
    void onSpriteScrollDownClicked();
    void onSpriteScrollLeftClicked();
    void onSpriteScrollRightClicked();
    void onSpriteCopyClicked();
    void onSpritePasteClicked();
    void onSpriteClearClicked();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildViews(QWidget* area);
    void buildCharacterEditor(QWidget* area);
    void buildRowColors(QWidget* area); // kardo3's row swatches and palette
    void buildCharacterButtons(QWidget* area);
    void buildScreenEditor(QWidget* area);
    void buildPatternTable(QWidget* area);
    void buildSpritePanel(QWidget* area);
    void buildMenus();
    QPushButton* addButton(QWidget* area, const QString& name, const QString& caption, const QRect& geometry,
                           void (TileEditorWindow::*handler)());
    // Connects the file menu items whose work lives in tile_editor_window_files.cpp, with their
    // shortcuts, Open Recent and the opening of dropped projects.
    void connectFileMenu();
    // Tooltips of the controls without a caption, the outline of the light palette
    // swatch and the smallest size of the window (tile_editor_window_help.cpp).
    void addNewUserAids();
    // Outlines the palette colour as grey as the window, so that it stands out.
    void outlineLightSwatch();

    void drawPixelEverywhere(int px, int py, tms::ColorValue color);
    void paintScreenCell(int button, double x, double y);
    void markCurrentChar();
    // drawCurrentChar with its row swatches and number, presented.
    void drawCurrentCharView();
    // The current character in the editor, its pattern cell with the frame, and the screen.
    void drawCurrentCharEverywhere();
    void chooseCharacter(int button, double x, double y);
    void drawCharPixelAt(int button, double x, double y);
    void scrollScreenAndRedraw(Direction direction);
    // Runs a menu's or dialog's work with the paint timer stopped and tick cleared.
    void withTimerPaused(const std::function<void()>& work);
    // Runs a file dialog and remembers the folder of its choice for the next one.
    std::optional<FileChoice> runFileDialog(FileDialogKind kind);
    std::optional<QString> choosePath(FileDialogKind kind);
    // Loads the project named on the command line at the first activation.
    void loadCommandLineFile(const QString& path);

    // --- helpers of tile_editor_window_files.cpp ---
    class DocumentSide;
    friend class DocumentSide;
    std::shared_ptr<DocumentSide> m_documentSide; // shared: deleted where it is whole
    tms::DocumentLife* m_life = nullptr;
    // Says in the status bar what an export wrote, or tells why it failed.
    void tellWritten(const tms::FileResult& written, const QString& path);
    // --- end of tile_editor_window_files.cpp helpers ---

    // --- helpers of tile_editor_window_fonts.cpp ---
    // Enables and connects the Fonts menu and Print.
    void connectFontMenu();
    QString m_fontFileName; // the current font file
    std::function<void(PrinterForm&)> m_runPrintForm;
    SheetPaper m_printPaper = SheetPaper::Letter; // the paper last used
    // --- end of tile_editor_window_fonts.cpp helpers ---

    // --- helpers of tile_editor_window_pictures.cpp ---
    void buildPictureMenus();
    // A sheet read into a copy of the document, then taken as one undo step.
    void importSheet(FileDialogKind kind, const QString& stepText, QString (*read)(const QString&, TileDocument&));
    void exportPicture(FileDialogKind kind, QImage (*picture)(const TileDocument&));
    PictureImportRunner m_runPictureImport;
    dither::PictureImportSettings m_pictureSettings; // the last choices, for the next import
    // --- end of tile_editor_window_pictures.cpp helpers ---

    // --- helpers of tile_editor_window_char_operations.cpp ---
    // --- end of tile_editor_window_char_operations.cpp helpers ---

    // --- helpers of tile_editor_window_undo.cpp ---
    void buildEditMenu();
    // One undo step named text around an action that may change the document.
    void recordStep(const QString& text, const std::function<void()>& action);
    // A press on view to its release is one step; fast drags are filled in cell by cell.
    void trackStroke(tms::PixelView* view, const QString& text, int cellSize);
    QUndoStack* m_undoStack = nullptr;
    std::unique_ptr<tms::DocumentUndo> m_undo;
    // --- end of tile_editor_window_undo.cpp helpers ---

    // --- helpers of tile_editor_window_mode1.cpp ---
    void buildModeOneColors(QWidget* area);
    void paintColorStrip();
    // The two row swatches show the background and foreground of the current character's group.
    void showGroupColors();
    void markColorTarget();
    // The Prototype button's work: the tables into the cartridge image.
    void writePrototypeTables();
    ColorTarget m_colorTarget = ForegroundTarget; // 1 at load, kept across activations
    CharacterSetCopy m_setCopy;                   // the pattern table's Copy
    // --- end of tile_editor_window_mode1.cpp helpers ---

    // --- helpers of tile_editor_window_sprite_editor.cpp ---
    // Draw sprite pixel at a view position: sets or clears the pixel and repaints its block.
    void drawSpritePixelAt(int button, double x, double y);
    // --- end of tile_editor_window_sprite_editor.cpp helpers ---

    TileDocument m_doc;
    EditingState m_editing;
    tms::Palette m_palette;
    std::unique_ptr<tms::UserDialogs> m_ownDialogs;
    tms::UserDialogs* m_dialogs = nullptr;
    FileDialogRunner m_runFileDialog;
    CExportOptions m_cExportRows; // the rows last chosen in the C export's dialog
    QString m_commandLine;
    QString m_prototypeListFile = QStringLiteral("prototype.txt");
    QString m_prototypePath;
    std::optional<qint64> m_prototypeOffset;
    bool m_firstActivation = true;

public:
    // Controls (their objectNames are listed at the top of this file); public so that tests can reach them.
    tms::PixelView* m_charEditorView = nullptr;
    tms::PixelView* m_patternTableView = nullptr;
    tms::PixelView* m_screenView = nullptr;
    tms::PixelView* m_spriteView = nullptr;
    std::array<ColorSwatch*, 16> m_paletteSwatches{};
    std::array<ColorSwatch*, 18> m_rowSwatches{}; // screen mode 1: the first two only
    tms::PixelView* m_colorStrip = nullptr;       // screen mode 1: the colour strip, in place of the palette swatches
    QLineEdit* m_hexEdit = nullptr;
    QObject* m_hexKeyFilter = nullptr; // feeds the hex box's keys to the window
    QLabel* m_charNumberLabel = nullptr;
    QLabel* m_cursorColumnLabel = nullptr;
    QLabel* m_cursorRowLabel = nullptr;
    QLabel* m_cursorCharLabel = nullptr;
    QLabel* m_spriteNumberLabel = nullptr;
    QLabel* m_blockMarkersLabel = nullptr;
    std::array<QLabel*, 2> m_blockMarkerLabels{};
    QPushButton* m_refreshButton = nullptr;
    QPushButton* m_showSpritesButton = nullptr;
    QPushButton* m_hideSpritesButton = nullptr;
    QPushButton* m_prototypeButton = nullptr;
    QPushButton* m_charPasteButton = nullptr;
    QPushButton* m_patternPasteButton = nullptr;
    QPushButton* m_spritePasteButton = nullptr;
    QTimer* m_paintTimer = nullptr;
    QTimer* m_blinkTimer = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_fontsMenu = nullptr;
    QMenu* m_editMenu = nullptr;
    QAction* m_aboutAction = nullptr;
    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_closeAction = nullptr;
    QAction* m_printAction = nullptr;
    QAction* m_exportCAction = nullptr;
    QAction* m_exportAsmAction = nullptr;
    QAction* m_exportTablesAction = nullptr;
    QAction* m_importPictureAction = nullptr;
    QAction* m_importTilesetAction = nullptr;
    QAction* m_importSpritesAction = nullptr;
    QAction* m_exportTilesetAction = nullptr;
    QAction* m_exportSpritesAction = nullptr;
    QAction* m_exportScreenPngAction = nullptr;
    QMenu* m_spritesMenu = nullptr;
    QAction* m_quitAction = nullptr;
};

} // namespace tile
