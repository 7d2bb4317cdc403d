#pragma once
// DitherWindow: the converter's window, "Palette Press". It keeps the loaded picture
// (loadedPicture) and the 256x192 source picture derived from it, lets the user choose
// colours, sliders, scaling and a method, and shows and hands on the result. Every
// conversion is done by the core; handlers are public so tests can call them, and
// every dialog goes through a replaceable function or UserDialogs.
//
// objectNames of the widgets (tests and accessibility find them by these):
//   the window frm_main; pictureView Picture1; swatchView Picture3; colourBoxes
//   chk_palette_0..14; sliderRule Line1, rightEdgeTick Line2, bottomEdgeTick Line3;
//   pasteButton cmd_from_clipboard; copyButton cmd_to_clipboard; status status;
//   diffusionSlider HScroll1, brightnessSlider HScroll2, gammaSlider HScroll3, each with
//   the labels Label_HScrollN (caption), Label_HScrollN_Left/_Right/_Top;
//   resizeModeActions menu_resize_mode_0..2; resolutionModeActions
//   menu_resolution_mode_0..1; paletteActions menu_palette_data_0..2; zoomActions
//   menu_zoom_1..3; orderedErrorAction menu_ord_error_diffusion; livePreviewAction
//   menu_live_preview; linearLightAction menu_linear_light; livePreviewTimer
//   Timer_LivePreview. Copy Picture to Clipboard
//   is menu_paste_clipboard and Paste Picture from Clipboard is menu_copy_clipboard
//   (the names are crossed; each action does what its caption says).

#include "conversion.h"
#include "file_dialogs.h"
#include "resize.h"

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
class QLabel;
class QMenu;
class QPushButton;
class QScrollBar;

namespace tms {
class PixelView;
class UserDialogs;
} // namespace tms

namespace dither {

class CompareMethodsWindow;

// The prompt shown (and converted) until a picture is loaded.
inline const QString loadPrompt = QStringLiteral("Double-click here to load pictures");
// The swatch strip swatchView: fifteen bands of 16 pixels and one spare line.
constexpr int swatchWidth = 25, swatchHeight = 241;
// The settings key of "Option > Live Preview".
inline const QString livePreviewKey = QStringLiteral("livePreview");
// The settings key of "Option > Diffuse in Linear Light".
inline const QString linearLightKey = QStringLiteral("linearLight");
// Why a PowerPaint file cannot be saved yet.
inline QString notConvertedMessage()
{
    return QStringLiteral("Convert the picture first: choose a method in the Method menu.");
}

class DitherWindow : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window shows real message boxes.
    explicit DitherWindow(tms::UserDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~DitherWindow() override;

    // Shows a file dialog and returns the chosen path, empty on cancel. Tests replace
    // it to play the user.
    std::function<QString(const FileDialogRequest&)> showFileDialog;

    // The document.
    QImage loadedPicture; // the loaded picture at its own size
    Picture sourcePicture = blackPicture();
    ResizeMode resizeMode = ResizeMode::NoResize;
    ResolutionMode resolutionMode = ResolutionMode::Full;
    int paletteMode = 0;
    tms::Palette palette{};
    ConversionResult result;          // all zero until the first conversion
    bool converted = false;           // result holds a conversion
    QImage displayedImage;            // what pictureView shows
    QImage swatchImage;               // the swatch bands before they are shown
    std::optional<Method> lastMethod; // the method chosen last (re-run by live preview)
    int conversionsRun = 0;           // conversions carried out, a stale request never among them
    int zoom = 1;

    // Loads a picture file as "Load Picture" does after its dialog: false, with a
    // message in status, when the file cannot be read; nothing changes then.
    bool loadPicture(const QString& path);
    // Takes a picture as the loaded one (file, clipboard or drop) and applies the scaling.
    void takePicture(const QImage& picture);
    void applyScaling();
    void applyPalette();
    ConversionSettings currentSettings() const;
    // The picture that Save Picture and the clipboard copy hand on: the last result,
    // or the picture shown before the first conversion.
    QImage pictureToHandOn() const;
    // Converts the shown picture with the chosen method and settings when the last
    // result is not of it; false when nothing converted is shown (no method chosen, or
    // too few colours).
    bool convertShownPicture();

    // Event handlers.
    void showLoadPrompt();
    void onPictureDoubleClicked();
    void onLoadPictureTriggered();
    void onPasteButtonClicked();
    void onPastePictureTriggered(); // "Paste Picture from Clipboard"
    void onCopyButtonClicked();
    void onCopyPictureTriggered(); // "Copy Picture to Clipboard"
    void onSavePictureTriggered();
    void onSavePowerPaintFullTriggered();
    void onSavePowerPaint10kTriggered();
    void onResizeModeTriggered(int Index);
    void onResolutionModeTriggered(int Index);
    void onPaletteTriggered(int Index);
    void onSelectAllColoursTriggered();
    void onUnselectAllColoursTriggered();
    void onLivePreviewToggled();
    void onMethodTriggered(Method method);
    void onOrderedErrorDiffusionToggled();
    void onCompareMethodsTriggered();
    void onZoomTriggered(int factor);
    void onInfoTriggered();
    void onSwatchesMouseDown(int Button, int Shift, double X, double Y);
    void onDiffusionChanged();
    void onBrightnessChanged();
    void onGammaChanged();
    // Live preview: every change asks for a re-run; the zero timer collapses the changes
    // of one event (Select All toggles fifteen boxes) into one conversion.
    void runLivePreview();

    bool livePreview() const;
    // The title: the program, the picture's name, and a mark while a conversion of it
    // has not been saved.
    void showTitle();
    CompareMethodsWindow* compareWindow() const { return m_compare; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void buildSlider(int row, QScrollBar*& slider, const char* name, const QString& caption, int min, int max,
                     int value, const QString& left, const QString& right, const QString& top);
    void placeControls();
    void showPicture(const QImage& image);
    void drawSwatches();
    void settingChanged();
    // Stores the choices the next run starts with; restoreSettings takes them back.
    void rememberSettings();
    void restoreSettings();
    void convertWith(Method method, bool withProgress);
    void runConversion(Method method, bool withProgress);
    void takeClipboardPicture();
    void copyToClipboard();
    void savePowerPaint(bool full);
    // Asks the save dialog for a path and completes it; empty when cancelled or when
    // the user keeps an existing file.
    QString askSavePath(const FileDialogRequest& request, QString (*complete)(const QString&));
    void writeOutput(const QString& path, const std::optional<QByteArray>& bytes);

    tms::UserDialogs* m_dialogs;
    std::unique_ptr<tms::UserDialogs> m_ownDialogs;
    QString m_pictureName;                     // the loaded file's name, empty for the prompt or a pasted picture
    CompareMethodsWindow* m_compare = nullptr; // a child of the window, made at its first use

    // A conversion requested while one runs (its progress lets events through) waits
    // here; a newer request replaces it, so at most one follows the running one.
    bool m_converting = false;
    bool m_restoring = true; // until the remembered choices are back: nothing to store
    std::optional<std::pair<Method, bool>> m_pendingConversion;

public:
    // Controls (their objectNames are listed at the top of this file).
    tms::PixelView* pictureView = nullptr;
    tms::PixelView* swatchView = nullptr;
    std::array<QCheckBox*, 15> colourBoxes{};
    QFrame* sliderRule = nullptr;
    QFrame* rightEdgeTick = nullptr;
    QFrame* bottomEdgeTick = nullptr;
    QPushButton* pasteButton = nullptr;
    QLabel* status = nullptr;
    QPushButton* copyButton = nullptr;
    QScrollBar* diffusionSlider = nullptr;
    QScrollBar* brightnessSlider = nullptr;
    QScrollBar* gammaSlider = nullptr;
    std::array<QLabel*, 3> sliderValueLabels{}; // index 0 = diffusionSlider
    std::array<QLabel*, 3> sliderMinLabels{};
    std::array<QLabel*, 3> sliderMaxLabels{};
    std::array<QLabel*, 3> sliderCaptions{};
    std::array<QAction*, 3> resizeModeActions{};
    std::array<QAction*, 2> resolutionModeActions{};
    std::array<QAction*, 3> paletteActions{};
    std::array<QAction*, 3> zoomActions{};
    QAction* orderedErrorAction = nullptr;
    QAction* livePreviewAction = nullptr;
    QAction* linearLightAction = nullptr;
    QTimer livePreviewTimer;
};

} // namespace dither
