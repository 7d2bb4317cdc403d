#pragma once
// frm_main: the converter's window, "Palette Press". It keeps the loaded picture
// (Picture2) and the 256x192 source picture derived from it, lets the user choose
// colours, sliders, scaling and a method, and shows and hands on the result. Every
// conversion is done by the core; handlers keep their control_event names so tests
// can call them, and every dialog goes through a replaceable function or UserDialogs.

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
// The swatch strip Picture3: fifteen bands of 16 pixels and one spare line.
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

class frm_main : public QMainWindow {
    Q_OBJECT
public:
    // Without dialogs the window shows real message boxes.
    explicit frm_main(tms::UserDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~frm_main() override;

    // Shows a file dialog and returns the chosen path, empty on cancel. Tests replace
    // it to play the user.
    std::function<QString(const FileDialogRequest&)> showFileDialog;

    // The document.
    QImage Picture2;                 // the loaded picture at its own size
    Picture source_image = blackPicture();
    ResizeMode resize_mode = ResizeMode::NoResize;
    ResolutionMode resolution_mode = ResolutionMode::Full;
    int palette_mode = 0;
    tms::Palette palette{};
    ConversionResult result;         // all zero until the first conversion
    bool converted = false;          // result holds a conversion
    QImage Buffered_Image;           // what Picture1 shows
    QImage Picture4;                 // the swatch bands before they are shown
    std::optional<Method> lastMethod; // the method chosen last (re-run by live preview)
    int conversionsRun = 0;           // conversions carried out, a stale request never among them
    int zoom = 1;

    // Loads a picture file as "Load Picture" does after its dialog: false, with a
    // message in status, when the file cannot be read; nothing changes then.
    bool loadPicture(const QString& path);
    // Takes a picture as the loaded one (file, clipboard or drop) and applies the scaling.
    void takePicture(const QImage& picture);
    void apply_resize();
    void init_palette();
    ConversionSettings currentSettings() const;
    // The picture that Save Picture and the clipboard copy hand on: the last result,
    // or the picture shown before the first conversion.
    QImage pictureToHandOn() const;
    // Converts the shown picture with the chosen method and settings when the last
    // result is not of it; false when nothing converted is shown (no method chosen, or
    // too few colours).
    bool convertShownPicture();

    // Event handlers.
    void Form_Load();
    void Picture1_DblClick();
    void menu_load_picture_Click();
    void cmd_from_clipboard_Click();
    void menu_copy_clipboard_Click();   // "Paste Picture from Clipboard"
    void cmd_to_clipboard_Click();
    void menu_paste_clipboard_Click();  // "Copy Picture to Clipboard"
    void menu_save_picture_Click();
    void menu_save_powerpaint_Click();
    void menu_save_powerpaint_10k_Click();
    void menu_resize_mode_Click(int Index);
    void menu_resolution_mode_Click(int Index);
    void menu_palette_data_Click(int Index);
    void menu_color_select_all_Click();
    void menu_color_unselect_all_Click();
    void menu_live_preview_Click();
    void menu_method_Click(Method method);
    void menu_ord_error_diffusion_Click();
    void menu_compare_methods_Click();
    void menu_zoom_Click(int factor);
    void menu_info_Click();
    void Picture3_MouseDown(int Button, int Shift, double X, double Y);
    void HScroll1_Change();
    void HScroll2_Change();
    void HScroll3_Change();
    // Live preview: every change asks for a re-run; the zero timer collapses the changes
    // of one event (Select All toggles fifteen boxes) into one conversion.
    void livePreview_Timer();

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
    void convertWith(Method method, bool withProgress);
    void runConversion(Method method, bool withProgress);
    void takeClipboardPicture();
    void copyToClipboard();
    void save_powerpaint(bool full);
    // Asks the save dialog for a path and completes it; empty when cancelled or when
    // the user keeps an existing file.
    QString askSavePath(const FileDialogRequest& request, QString (*complete)(const QString&));
    void writeOutput(const QString& path, const std::optional<QByteArray>& bytes);

    tms::UserDialogs* m_dialogs;
    std::unique_ptr<tms::UserDialogs> m_ownDialogs;
    QString m_pictureName; // the loaded file's name, empty for the prompt or a pasted picture
    CompareMethodsWindow* m_compare = nullptr; // a child of the window, made at its first use

    // A conversion requested while one runs (its progress lets events through) waits
    // here; a newer request replaces it, so at most one follows the running one.
    bool m_converting = false;
    std::optional<std::pair<Method, bool>> m_pendingConversion;

public:
    // Controls, named as their objectName.
    tms::PixelView* Picture1 = nullptr;
    tms::PixelView* Picture3 = nullptr;
    std::array<QCheckBox*, 15> chk_palette{};
    QFrame* Line1 = nullptr;
    QFrame* Line2 = nullptr;
    QFrame* Line3 = nullptr;
    QPushButton* cmd_from_clipboard = nullptr;
    QLabel* status = nullptr;
    QPushButton* cmd_to_clipboard = nullptr;
    QScrollBar* HScroll1 = nullptr; // Diffusion
    QScrollBar* HScroll2 = nullptr; // Brightness
    QScrollBar* HScroll3 = nullptr; // Gamma
    std::array<QLabel*, 3> Label_HScroll_Top{};   // index 0 = HScroll1
    std::array<QLabel*, 3> Label_HScroll_Left{};
    std::array<QLabel*, 3> Label_HScroll_Right{};
    std::array<QLabel*, 3> Label_HScroll_Caption{};
    std::array<QAction*, 3> menu_resize_mode{};
    std::array<QAction*, 2> menu_resolution_mode{};
    std::array<QAction*, 3> menu_palette_data{};
    std::array<QAction*, 3> menu_zoom{};
    QAction* menu_ord_error_diffusion = nullptr;
    QAction* menu_live_preview = nullptr;
    QAction* menu_linear_light = nullptr;
    QTimer Timer_LivePreview;
};

} // namespace dither
