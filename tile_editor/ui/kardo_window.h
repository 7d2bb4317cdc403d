#pragma once
// KARDO, the tile editor's main window: it owns the document and shows it in four
// views (character editor, pattern table, screen, sprite editor). Handlers keep the
// names of the controls and events they serve; the window's pieces are split over
// files by concern (kardo_*.cpp).

#include "c_export.h"
#include "direction.h"
#include "editing_state.h"
#include "group_colors.h"
#include "palette.h"
#include "print_sheet.h"
#include "tile_document.h"

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

namespace tile {

class ColorSwatch;
class PrinterForm;

// The file dialogs the window opens.
enum class FileDialogKind { OpenDAT, SaveAsDAT, ExportASM, ExportC, OpenFCV, SaveAsFCV };

// What a confirmed file dialog returns: the path, and the options shown below its
// file lists (the C export's for now; each export adds its own here).
struct FileChoice {
    QString path;
    CExportOptions cExport;
};

class KardoWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int narrowWidth = 534;
    static constexpr int wideWidth = 768;

    explicit KardoWindow(Edition edition = Edition::ScreenMode2, QWidget* parent = nullptr);
    ~KardoWindow() override;

    TileDocument& document() { return m_doc; }
    EditingState& editing() { return m_editing; }
    // The screen mode 1 edition (kardo2): group colours, no hex box, no block markers.
    bool isModeOne() const;
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

    // Opens a project chosen outside the Open dialog (dropped on the window, or an
    // entry of Open Recent) with the dialog's check and Open's question.
    void openProjectFile(const QString& path);
    tms::RecentFiles* recentFiles() const;
    // New, Open, Save, Close and Quit, the question about unsaved work and the title.
    tms::DocumentLife& documentLife();

    // Start-up and life of the window.
    void Form_Load();
    void Form_Activate();
    // The end-of-window prompt; false when the window must stay (the work was not saved).
    bool Form_Terminate();

    // Redraws.
    void cmd_Refresh_Click(); // Refresh All
    // The character views: the editor, the character's pattern cell with its frame,
    // the screen and the hex box.
    void drawCharacterViews();
    void showCharHex();
    void showBlockMarkers();
    void presentSprite();

    // The document's undo steps (kardo_undo.cpp).
    tms::DocumentUndo& undo();

public slots:
    void Timer1_Timer();
    void Timer2_Timer();

    // File menu.
    void Fichier_Click();
    void Nouveau_Click();
    bool Fermer_Click();
    void Quitter_Click();
    void Ouvrir_Click();
    bool Sauver_Click();
    bool SauverSous_Click();
    void ExporterC_Click();
    void ExporterASM_Click();
    void Polices_Click();
    void Apropos_Click();

    // Fonts menu and printing (kardo_fonts.cpp). Index 1.. is the item "Font #Index".
    void font_Click(int Index);
    void morefont_Click();
    void savefont_Click();
    void ShowPrintForm_Click();

    // Window buttons.
    void cmd_show_sprite_Click();
    void cmd_hide_sprite_Click();
    void cmd_prototype_Click();

    // Character editor.
    void CARACTERE_MouseDown(int Button, int Shift, double X, double Y);
    void CARACTERE_MouseMove(int Button, int Shift, double X, double Y);
    void PATTERN_MouseDown(int Button, int Shift, double X, double Y);
    void PATTERN_MouseMove(int Button, int Shift, double X, double Y);
    void COL_Click(int Index);
    void COLOR_Click(int Index);
    // Screen mode 1: a press on the vertical COLOR strip (kardo_mode1.cpp).
    void COLOR_MouseDown(int Button, int Shift, double X, double Y);
    // Returns the character the hex box receives (null: discarded).
    QChar TextHEX_KeyPress(QChar KeyAscii);
    void TextHEX_KeyUp(int KeyCode, int Shift);
    void ApplyHex();
    // Ends the hex box's entry: the next digit begins a new undo step.
    void endHexEntry();

    // Character and pattern-table operations.
    void cmd_carac_flipx_Click();
    void cmd_carac_flipy_Click();
    void cmd_carac_rotate_Click();
    void cmd_carac_invert_Click();
    void cmd_clear_car_Click();
    void cmd3_scroll_up_Click();
    void cmd3_scroll_down_Click();
    void cmd3_scroll_left_Click();
    void cmd3_scroll_right_Click();
    void cmd_copy_car_Click();
    void cmd_paste_car_Click();
    void cmd_copy_pattern_Click();
    void cmd_paste_pattern_Click();
    void cmd_clear_pattern_Click();

    // Screen editor.
    void ECRAN_MouseDown(int Button, int Shift, double X, double Y);
    void ECRAN_MouseMove(int Button, int Shift, double X, double Y);
    void cmd_scroll_up_Click();
    void cmd_scroll_down_Click();
    void cmd_scroll_left_Click();
    void cmd_scroll_right_Click();

    // Sprite editor.
    void SPRITE_MouseDown(int Button, int Shift, double X, double Y);
    void SPRITE_MouseMove(int Button, int Shift, double X, double Y);
    void cmd_sprite_previous_Click();
    void cmd_sprite_next_Click();
    void cmd_sprite_color_Click();
    void cmd_sprite_flipx_Click();
    void cmd_sprite_flipy_Click();
    void cmd_sprite_rotate_Click();
    void cmd2_scroll_up_Click();
    void cmd2_scroll_down_Click();
    void cmd2_scroll_left_Click();
    void cmd2_scroll_right_Click();
    void cmd_sprite_copy_Click();
    void cmd_sprite_paste_Click();
    void cmd_sprite_clean_Click();

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
                           void (KardoWindow::*handler)());
    // Connects the file menu items whose work lives in kardo_files.cpp, with their
    // shortcuts, Open Recent and the opening of dropped projects.
    void connectFileMenu();
    // Tooltips of the controls without a caption, the outline of the light palette
    // swatch and the smallest size of the window (kardo_help.cpp).
    void addNewUserAids();
    // Outlines the palette colour as grey as the window, so that it stands out.
    void outlineLightSwatch();

    void drawPixelEverywhere(int px, int py, tms::ColorValue color);
    void paintScreenCell(int button, double x, double y);
    void markCurrentChar();
    // DrawCurrentChar with its row swatches and number, presented.
    void drawCurrentCharView();
    // The current character in the editor, its pattern cell with the frame, and the screen.
    void drawCurrentCharEverywhere();
    void chooseCharacter(int button, double x, double y);
    void drawCharPixelAt(int button, double x, double y);
    void scrollScreenAndRedraw(Direction direction);
    // Runs a menu's or dialog's work with Timer1 stopped and tick cleared.
    void withTimerPaused(const std::function<void()>& work);
    // Runs a file dialog and remembers the folder of its choice for the next one.
    std::optional<FileChoice> runFileDialog(FileDialogKind kind);
    std::optional<QString> choosePath(FileDialogKind kind);
    // Loads the project named on the command line at the first activation.
    void loadCommandLineFile(const QString& path);

    // --- helpers of kardo_files.cpp ---
    class DocumentSide;
    friend class DocumentSide;
    std::shared_ptr<DocumentSide> m_documentSide; // shared: deleted where it is whole
    tms::DocumentLife* m_life = nullptr;
    // Says in the status bar what an export wrote, or tells why it failed.
    void tellWritten(const tms::FileResult& written, const QString& path);
    // --- end of kardo_files.cpp helpers ---

    // --- helpers of kardo_fonts.cpp ---
    // Enables and connects the Fonts menu and Print.
    void connectFontMenu();
    QString m_fontFileName; // the current font file
    std::function<void(PrinterForm&)> m_runPrintForm;
    SheetPaper m_printPaper = SheetPaper::Letter; // the paper last used
    // --- end of kardo_fonts.cpp helpers ---

    // --- helpers of kardo_char_operations.cpp ---
    // --- end of kardo_char_operations.cpp helpers ---

    // --- helpers of kardo_undo.cpp ---
    void buildEditMenu();
    // One undo step named text around an action that may change the document.
    void recordStep(const QString& text, const std::function<void()>& action);
    // A press on view to its release is one step; fast drags are filled in cell by cell.
    void trackStroke(tms::PixelView* view, const QString& text, int cellSize);
    QUndoStack* m_undoStack = nullptr;
    std::unique_ptr<tms::DocumentUndo> m_undo;
    // --- end of kardo_undo.cpp helpers ---

    // --- helpers of kardo_mode1.cpp ---
    void buildModeOneColors(QWidget* area);
    void paintColorStrip();
    // COL(0) and COL(1) show the background and foreground of the current character's group.
    void showGroupColors();
    void markColorTarget();
    // The Prototype button's work: the tables into the cartridge image.
    void writePrototypeTables();
    ColorTarget m_colorTarget = ForegroundTarget; // 1 at load, kept across activations
    CharacterSetCopy m_setCopy;                    // the pattern table's Copy
    // --- end of kardo_mode1.cpp helpers ---

    // --- helpers of kardo_sprite_editor.cpp ---
    // Draw sprite pixel at a view position: sets or clears the pixel and repaints its block.
    void drawSpritePixelAt(int button, double x, double y);
    // --- end of kardo_sprite_editor.cpp helpers ---

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
    // Controls, named as the window's controls; public so that tests can reach them.
    tms::PixelView* CARACTERE = nullptr;
    tms::PixelView* PATTERN = nullptr;
    tms::PixelView* ECRAN = nullptr;
    tms::PixelView* SPRITE = nullptr;
    std::array<ColorSwatch*, 16> COLOR{};
    std::array<ColorSwatch*, 18> COL{}; // screen mode 1: COL(0) and COL(1) only
    tms::PixelView* colorStrip = nullptr; // screen mode 1: the COLOR strip, in place of the COLOR swatches
    QLineEdit* TextHEX = nullptr;
    QLabel* NOCARACTERE = nullptr;
    QLabel* LACOORX = nullptr;
    QLabel* LACOORY = nullptr;
    QLabel* LACARAC = nullptr;
    QLabel* NOSPRITE = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 2> BLOCKMARKER{};
    QPushButton* cmd_Refresh = nullptr;
    QPushButton* cmd_show_sprite = nullptr;
    QPushButton* cmd_hide_sprite = nullptr;
    QPushButton* cmd_prototype = nullptr;
    QPushButton* cmd_paste_car = nullptr;
    QPushButton* cmd_paste_pattern = nullptr;
    QPushButton* cmd_sprite_paste = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;
    QMenu* Fichier = nullptr;
    QMenu* Polices = nullptr;
    QMenu* Edit = nullptr;
    QAction* Apropos = nullptr;
    QAction* Nouveau = nullptr;
    QAction* Ouvrir = nullptr;
    QAction* Sauver = nullptr;
    QAction* SauverSous = nullptr;
    QAction* Fermer = nullptr;
    QAction* ShowPrintForm = nullptr;
    QAction* ExporterC = nullptr;
    QAction* ExporterASM = nullptr;
    QAction* Quitter = nullptr;
};

} // namespace tile
