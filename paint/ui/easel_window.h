#pragma once
// EaselWindow: the paint program's window. It owns the picture and the editing
// state, shows the picture at twice its size, paints pixels with two brush colours,
// offers a zoom view, a grid, wrap-around scrolls and a block tool, and runs the file
// commands. Mouse handlers take (button, shift, x, y) so tests can call them directly.
//
// The controls keep the object names that tests and accessibility tools find them by:
//   window "Mosaic_Easel_Main"; m_screen "ECRAN" (the picture); m_swatches "COLOR";
//   m_brushBoxes "Couleur_0" (right button), "Couleur_1" (left button); m_blockTool
//   "chk_get"; m_floatingBlock "selection" holding m_floatingPicture "the_picture";
//   m_zoomBox "chk_zoom2x"; m_gridButton "cmd_grid"; scroll buttons "cmd_scroll_up",
//   "cmd_scroll_down", "cmd_scroll_up_8", "cmd_scroll_down_8", "cmd_scroll_left",
//   "cmd_scroll_right"; paintingDelay "Timer1"; menus "Fichier" (items "Nouveau",
//   "Ouvrir", "Sauver", "SauverSous", "Fermer", "ExporterC", "ExporterASM",
//   "ExporterGRP", "ExporterBIN", "ImporterSCR", "ImporterGRP", "ImporterPicture",
//   "Quitter"), "Edit", and the "Apropos" item.

#include "atomic_file.h"
#include "block_copy.h"
#include "export_format_options.h"
#include "paint_document.h"
#include "picture.h"
#include "picture_import.h"
#include "picture_render.h"
#include "view_position.h"

#include <QImage>
#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QCheckBox;
class QFrame;
class QMenu;
class QPushButton;
class QUndoStack;

namespace tms {
class DocumentLife;
class DocumentUndo;
class PixelView;
class RecentFiles;
class UserDialogs;
} // namespace tms

namespace paint {

// The modal dialogs the window opens.
enum class PaintDialog {
    OpenPicture,
    SaveAsPicture,
    About,
    ImportSCRFile,
    ImportGRPFile,
    ImportPictureFile,
    ImportPictureOptions, // the Import Picture dialog, after its file was chosen
    Export2C,
    Export2ASM,
    Export2GRP,
    Export2BIN,
};

// What a dialog starts with and what a confirmed one returns. path: at the start, the
// file whose folder a file dialog opens in (for ImportPictureOptions, the picture to
// convert); at the end, the chosen file. Each dialog adds its options here.
struct PaintDialogChoice {
    QString path;
    bool fullScreen = false;              // SaveAsPicture: "FullScreen 40K"
    PictureImportSettings importSettings; // ImportPictureOptions
    tms::ExportFormat exportFormat;       // Export2C, Export2ASM, Export2BIN
};

class EaselWindow : public QMainWindow {
    Q_OBJECT
public:
    // commandLine: the program's arguments joined by blanks; a name ending in .pp is
    // loaded at the first activation. Without dialogs the window shows real message boxes.
    explicit EaselWindow(const QString& commandLine = {}, tms::UserDialogs* dialogs = nullptr,
                         QWidget* parent = nullptr);
    ~EaselWindow() override;

    // Opens a modal dialog and returns its choice, nullopt when it was closed without
    // one. Tests replace this to play the user.
    using DialogRunner = std::function<std::optional<PaintDialogChoice>(PaintDialog, const PaintDialogChoice& start)>;
    DialogRunner showDialog;

    // The document, and the palette it is shown with.
    PaintDocument& document() { return m_doc; }
    tms::Palette palette{};

    // Editing state.
    std::array<int, 2> brushColors{1, 15}; // 0: right button, 1: left button
    bool tick = false; // painting allowed: set by paintingDelay, cleared while a menu or dialog is open
    bool zoomed = false;
    int zoomRow = 0;    // 0..12
    int zoomColumn = 0; // 0..16
    bool gridShown = false;
    bool selecting = false;
    int selLeft = 0, selRight = 0, selTop = 0, selBottom = 0;
    Picture clip; // the snapshot taken by Get
    bool firstActivation = true;

    // Two seconds after the window is activated (and after each menu or dialog closes),
    // painting is allowed: the click that closed them does not paint.
    QTimer paintingDelay;
    // The picture as the view shows it without grid or selection rectangle.
    const QImage& cleanView() const { return m_cleanView; }

    // Document operations.
    void clearPicture();
    // Opens path as the picture's file (its name, the caption, Open Recent); false when
    // refused, and the picture is then unchanged.
    bool loadPowerPaintFile(const QString& path);
    // New, Open, Save, Close and Quit, the question about unsaved work and the title.
    tms::DocumentLife& documentLife() { return *m_life; }
    // Draws the picture afresh into the clean view and shows it, with the grid when shown.
    void showPicture();
    // Draws the grid over what the view shows.
    void drawGrid();

    // Event handlers.
    void onActivated();
    void onScreenPressed(int button, int shift, int x, int y);
    void onScreenDragged(int button, int shift, int x, int y);
    void onSwatchesPressed(int button, int shift, int x, int y);
    void drawSwatches();
    void drawBrushColor(int index);
    void onBlockToolClicked();
    void onFloatingBlockPressed(int button, int shift, int x, int y);
    void onFloatingBlockDragged(int button, int shift, int x, int y);
    void onZoomClicked();
    void onGridClicked();
    void onScrollUpLineClicked();
    void onScrollDownLineClicked();
    void onScrollUpRowClicked();
    void onScrollDownRowClicked();
    void onScrollLeftClicked();
    void onScrollRightClicked();
    void allowPainting();
    void onFileMenuOpened();
    void onNewTriggered();
    void onOpenTriggered();
    bool onSaveTriggered();
    bool onSaveAsTriggered();
    bool onCloseTriggered(); // false when the picture was kept (Cancel, or its save failed)
    void onQuitTriggered();
    void onAboutTriggered();
    void onImportScrTriggered();
    void onImportGrpTriggered();
    void onImportPictureTriggered();
    void onExportCTriggered();
    void onExportAsmTriggered();
    void onExportGrpTriggered();
    void onExportBinTriggered();
    // Opens a file chosen outside the dialogs (dropped on the window, or an entry of
    // Open Recent): a .pp file as Open does, a .scr, .mlt or .grp file as the imports
    // do, with the same checks, messages and question about unsaved changes.
    void openFile(const QString& path);
    tms::RecentFiles* recentFiles() const;
    // A picture file (PNG, BMP, GIF, JPEG) converted with the last import settings into
    // a new unnamed picture; false when refused, the picture then unchanged.
    bool importPicture(const QString& path);

    // The picture's undo steps (easel_undo.cpp).
    tms::DocumentUndo& undo();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    // The document life, Open Recent and the opening of dropped files (easel_file_commands.cpp).
    void connectDocumentLife(QMenu* fileMenu, QAction* openItem);
    std::optional<PaintDialogChoice> runRealDialog(PaintDialog dialog, const PaintDialogChoice& start);
    // Runs a dialog through showDialog, starting where the last one of its kind ended;
    // remembers the choice for the next one. subject: the picture ImportPictureOptions converts.
    std::optional<PaintDialogChoice> runDialog(PaintDialog dialog, const QString& subject = {});

    ViewArea currentView() const;
    // What the view shows: the clean view with the grid or the selection rectangle over it.
    QImage& viewBuffer();
    void showBuffer();
    // The view shows the clean view again, without grid or selection rectangle.
    void restoreBuffer();
    // The grid's pixels inside area of the view buffer.
    void drawGridIn(const QRect& area);
    // Shows the row at (column, row, line) of the picture after it was painted.
    void showPaintedRow(const PicturePosition& at);
    void drawSelectionRectangle();
    void selectAt(int button, int column, int y);
    Block selectedBlock() const;
    void leaveBlockTool();
    void afterScroll(bool pictureChanged);
    // A scroll button: the picture scrolls with scrollPicture; in the zoom view the view
    // moves by the steps (in characters) instead.
    void scrollPictureOrView(void (*scrollPicture)(Picture&), int columnStep, int rowStep);

    // The picture read by an import becomes the picture: unnamed, unsaved work.
    using ImportReader = tms::FileResult (*)(const QString& path, Picture& picture);
    // Reads a file chosen for an import with read, after the question about unsaved
    // work; tells a refusal. False when the picture was kept.
    bool importWith(ImportReader read, const QString& path);
    // A change of the whole document (New, Open, an import, undo) puts away a lifted
    // block: it belongs to the picture it was lifted from.
    void dropFloatingBlock();
    // Save's question when a 10K file would leave out part of the picture; false when
    // the user cancelled. Sets the size to 40K when the user wants it.
    bool confirmTenKSave(bool& leftOut);
    // The export commands: the dialog, then the table name for the sources, then the write.
    void exportPicture(PaintDialog dialog, const std::function<tms::FileResult(const PaintDialogChoice&)>& write);

    // Undo (easel_undo.cpp).
    void buildEditMenu();
    // One undo step named text around an action that may change the picture.
    void recordStep(const QString& text, const std::function<void()>& action);
    // A press on view to its release is one step; fast drags are filled in.
    void trackStroke(tms::PixelView* view, const QString& text);
    QUndoStack* m_undoStack = nullptr;
    std::unique_ptr<tms::DocumentUndo> m_undo;

    tms::UserDialogs* m_dialogs;
    std::unique_ptr<tms::UserDialogs> m_ownDialogs;
    QString m_commandLine;
    PaintDocument m_doc;
    bool m_waitingForRelease = false; // a Put's button is still down
    class DocumentSide;
    friend class DocumentSide;
    std::shared_ptr<DocumentSide> m_documentSide; // shared: deleted where it is whole
    tms::DocumentLife* m_life = nullptr;
    // Remembered for the run: the last picture chosen (Open, Save As, imports), the
    // last path of each export, the last import settings.
    QString m_lastPicturePath;
    std::array<QString, 4> m_exportPaths; // C, ASM, GRP, BIN
    PictureImportSettings m_importSettings;

    // Drawn row by row as cells are painted; kept apart from the view buffer (never
    // shared with it) so that painting a cell touches that cell's pixels only.
    QImage m_cleanView;
    // What the view buffer holds over the clean view: the grid (true) or nothing
    // (false); nullopt when something else is drawn there (a selection rectangle).
    // When it matches gridShown, a painted row needs only its own pixels redrawn.
    std::optional<bool> m_bufferGrid;

    tms::PixelView* m_screen = nullptr;
    tms::PixelView* m_swatches = nullptr;
    std::array<tms::PixelView*, 2> m_brushBoxes{};
    QCheckBox* m_blockTool = nullptr;
    QFrame* m_floatingBlock = nullptr;
    tms::PixelView* m_floatingPicture = nullptr;
    QCheckBox* m_zoomBox = nullptr;
    QPushButton* m_gridButton = nullptr;
};

} // namespace paint
