#pragma once
// Mosaic_Easel_Main: the paint program's window. It owns the picture and the editing
// state, shows the picture at twice its size on ECRAN, paints pixels with two brush
// colours, offers a zoom view, a grid, wrap-around scrolls and a block tool, and runs
// the file commands. Handlers keep their control_event names; mouse handlers take
// (Button, Shift, X, Y) so tests can call them directly.

#include "atomic_file.h"
#include "block_copy.h"
#include "paint_document.h"
#include "picture.h"
#include "picture_import.h"
#include "picture_render.h"

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
};

// What a dialog starts with and what a confirmed one returns. path: at the start, the
// file whose folder a file dialog opens in (for ImportPictureOptions, the picture to
// convert); at the end, the chosen file. Each dialog adds its options here.
struct PaintDialogChoice {
    QString path;
    bool fullScreen = false;               // SaveAsPicture: "FullScreen 40K"
    PictureImportSettings importSettings;  // ImportPictureOptions
};

class Mosaic_Easel_Main : public QMainWindow {
    Q_OBJECT
public:
    // commandLine: the program's arguments joined by blanks; a name ending in .pp is
    // loaded at the first activation. Without dialogs the window shows real message boxes.
    explicit Mosaic_Easel_Main(const QString& commandLine = {}, tms::UserDialogs* dialogs = nullptr,
                               QWidget* parent = nullptr);
    ~Mosaic_Easel_Main() override;

    // Opens a modal dialog and returns its choice, nullopt when it was closed without
    // one. Tests replace this to play the user.
    using DialogRunner = std::function<std::optional<PaintDialogChoice>(PaintDialog, const PaintDialogChoice& start)>;
    DialogRunner showDialog;

    // The document, and the palette it is shown with.
    PaintDocument& document() { return m_doc; }
    tms::Palette palette{};

    // Editing state.
    std::array<int, 2> brushColors{1, 15}; // 0: right button, 1: left button
    bool tick = false;
    bool zoomed = false;
    int zoomRow = 0;    // 0..12
    int zoomColumn = 0; // 0..16
    bool gridShown = false;
    bool selecting = false;
    int selLeft = 0, selRight = 0, selTop = 0, selBottom = 0;
    Picture clip; // the snapshot taken by Get
    bool firstActivation = true;

    // The off-screen surfaces: everything is drawn into the buffer; the clean copy
    // holds the picture without grid or selection rectangle.
    QImage ECRANBUFFER;
    QImage ECRAN_BACKUP;
    QTimer Timer1;

    // Document operations.
    void ClearPicture();
    // Opens path as the picture's file (its name, the caption, Open Recent); false when
    // refused, and the picture is then unchanged.
    bool ChargePPFile(const QString& path);
    // New, Open, Save, Close and Quit, the question about unsaved work and the title.
    tms::DocumentLife& documentLife() { return *m_life; }
    void RenderPicture();
    void ShowPicture();
    void DrawGrid();

    // Event handlers.
    void Form_Activate();
    void ECRAN_MouseDown(int Button, int Shift, int X, int Y);
    void ECRAN_MouseMove(int Button, int Shift, int X, int Y);
    void COLOR_MouseDown(int Button, int Shift, int X, int Y);
    void COLOR_Paint();
    void Couleur_Paint(int index);
    void chk_get_Click();
    void the_picture_MouseDown(int Button, int Shift, int X, int Y);
    void the_picture_MouseMove(int Button, int Shift, int X, int Y);
    void chk_zoom2x_Click();
    void cmd_grid_Click();
    void cmd_scroll_up_Click();
    void cmd_scroll_down_Click();
    void cmd_scroll_up_8_Click();
    void cmd_scroll_down_8_Click();
    void cmd_scroll_left_Click();
    void cmd_scroll_right_Click();
    void Timer1_Timer();
    void Fichier_Click();
    void Nouveau_Click();
    void Ouvrir_Click();
    bool Sauver_Click();
    bool SauverSous_Click();
    bool Fermer_Click(); // false when the picture was kept (Cancel, or its save failed)
    void Quitter_Click();
    void Apropos_Click();
    void ImporterSCR_Click();
    void ImporterGRP_Click();
    void ImporterPicture_Click();
    void ExporterC_Click();
    void ExporterASM_Click();
    void ExporterGRP_Click();
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
    void showBuffer();
    void refreshCleanCopy();
    void restoreBuffer();
    void drawSelectionRectangle();
    void selectAt(int Button, int column, int y);
    Block selectedBlock() const;
    void leaveBlockTool();
    void afterScroll(bool pictureChanged);

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
    void exportPicture(PaintDialog dialog, const std::function<tms::FileResult(const QString&)>& write);

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
    std::array<QString, 3> m_exportPaths; // C, ASM, GRP
    PictureImportSettings m_importSettings;

    tms::PixelView* ECRAN = nullptr;
    tms::PixelView* COLOR = nullptr;
    std::array<tms::PixelView*, 2> Couleur{};
    QCheckBox* chk_get = nullptr;
    QFrame* selection = nullptr;
    tms::PixelView* the_picture = nullptr;
    QCheckBox* chk_zoom2x = nullptr;
    QPushButton* cmd_grid = nullptr;
};

} // namespace paint
