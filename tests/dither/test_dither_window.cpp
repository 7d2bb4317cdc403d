// The Palette Press window driven as a user would: menus, swatches, sliders, the file
// dialogs played through the seam, and the files it writes next to the batch output.

#include "compare_window.h"
#include "dither_window.h"
#include "file_drops.h"
#include "pixel_view.h"
#include "program_run.h"
#include "resize.h"
#include "result_output.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "test_pictures.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using namespace dither;

namespace {

QImage photoImage()
{
    return pictureImage(dither_test::noisyPicture(3));
}

struct Window {
    ScriptedDialogs dialogs;
    DitherWindow window{&dialogs};
    QStringList paths; // what the user picks in the next file dialogs; none closes them
    QList<FileDialogRequest> requests;

    Window()
    {
        window.showFileDialog = [this](const FileDialogRequest& request) {
            requests << request;
            return paths.isEmpty() ? QString() : paths.takeFirst();
        };
    }
    void trigger(const char* action) { window.findChild<QAction*>(action)->trigger(); }
    void load(const QString& path)
    {
        paths << path;
        trigger("menu_load_picture");
    }
    QString statusText() const { return window.status->text(); }
    // What the core makes of the picture with the window's settings and method.
    ConversionResult convertedWith(Method method)
    {
        ConversionSettings settings = window.currentSettings();
        settings.method = method;
        return *convert(window.sourcePicture, settings);
    }
};

} // namespace

class DitherWindowTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString path(const QString& name) const { return dir.filePath(name); }

private slots:
    void initTestCase()
    {
        // Never the user's own settings.
        QCoreApplication::setOrganizationName(QStringLiteral("dither-window-test"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
        QSettings().clear();
    }
    void init() { QSettings().clear(); } // every test starts as the first run

    void startsWithThePromptAsThePicture()
    {
        Window w;
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Palette Press[*]"));
        QVERIFY(!w.window.findChild<QAction*>("menu_palette_data_2")->isEnabled());

        // Converting right away converts the prompt: more than one colour comes out.
        w.trigger("menu_color_select_all");
        w.trigger("menu_nearest");
        QCOMPARE(w.statusText(), conversionDone);
        QVERIFY(w.window.sourcePicture != Picture(pictureSize, w.window.sourcePicture[0]));
        ConversionSettings defaults; // the window starts with the batch's defaults
        defaults.method = Method::Nearest;
        QCOMPARE(w.window.result.patternTable, convert(w.window.sourcePicture, defaults)->patternTable);
        w.trigger("menu_info");
        QCOMPARE(w.dialogs.shown.last().title, QStringLiteral("Palette Press information"));
        QTest::mouseDClick(w.window.pictureView, Qt::LeftButton); // a double-click loads
        QCOMPARE(w.requests.size(), 1);
        QCOMPARE(w.requests[0].title, QStringLiteral("Open Picture File"));
    }

    void refusesWhatIsNoPicture()
    {
        Window w;
        QVERIFY(photoImage().save(path("good.png")));
        w.load(path("good.png"));
        const Picture before = w.window.sourcePicture;
        writeFile(path("bad.png"), "no picture here\n");
        w.load(path("bad.png"));
        QVERIFY(!w.statusText().isEmpty());
        QCOMPARE(w.window.loadedPicture.size(), QSize(256, 192));
        QVERIFY2(w.dialogs.texts().value(0).startsWith(QString("Cannot read picture \"%1\": ").arg(path("bad.png"))),
                 qPrintable(w.dialogs.texts().value(0)));
        // A picture beyond the decoding limit says so, with its size.
        writeFile(path("huge.png"), dither_test::pngHeaderOnly(16000, 16000));
        w.load(path("huge.png"));
        QCOMPARE(w.dialogs.shown.last().text, QString("Cannot read picture \"%1\": too large: 16000 x 16000, 976 MB "
                                                      "decoded; the limit is 256 MB")
                                                  .arg(path("huge.png")));
        w.load(path("no such file.png")); // a path that names no file changes nothing
        QCOMPARE(w.window.sourcePicture, before);
    }

    // The window and the batch share one core: every saved file matches the batch's.
    void savesWhatTheBatchWrites_data()
    {
        QTest::addColumn<QStringList>("actions");
        QTest::addColumn<QList<int>>("colours");
        QTest::addColumn<QList<int>>("sliders"); // diffusion, brightness, gamma
        QTest::addColumn<QStringList>("options");
        QTest::newRow("stucki, palette 2, aspect")
            << QStringList{"menu_palette_data_1", "menu_resize_mode_2", "menu_stucki"} << QList<int>{1, 4, 6, 11, 15}
            << QList<int>{60, -10, 120}
            << QStringList{"--method",     "stucki",   "--palette",   "2",           "--resize",
                           "aspect",       "--colors", "1,4,6,11,15", "--diffusion", "60",
                           "--brightness", "-10",      "--gamma",     "120"};
        QTest::newRow("ordered with error, 10K")
            << QStringList{"menu_resolution_mode_1", "menu_ord_error_diffusion", "menu_ord_level_17"}
            << QList<int>{1, 2, 3, 5, 8, 9, 14, 15} << QList<int>{75, 0, 100}
            << QStringList{"--method", "ordered-17", "--ordered-error",  "--resolution",
                           "10k",      "--colors",   "1,2,3,5,8,9,14,15"};
    }

    void savesWhatTheBatchWrites()
    {
        QFETCH(QStringList, actions);
        QFETCH(QList<int>, colours);
        QFETCH(QList<int>, sliders);
        QFETCH(QStringList, options);
        const QString folder = path(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(folder));
        auto path = [&folder](const QString& name) { return folder + QLatin1Char('/') + name; };
        QVERIFY(dither_test::coordinateImage(300, 260).save(path("input.png")));
        Window w;
        w.load(path("input.png"));
        for (int colour : colours) // a click on the band of each colour
            w.window.onSwatchesMouseDown(1, 0, 3, 16 * (colour - 1) + 8);
        w.window.diffusionSlider->setValue(sliders[0]);
        w.window.brightnessSlider->setValue(sliders[1]);
        w.window.gammaSlider->setValue(sliders[2]);
        for (const QString& action : actions)
            w.trigger(qPrintable(action));
        QCOMPARE(w.statusText(), conversionDone);
        w.paths << path("window_full") << path("window_10k.PP") << path("window_bmp");
        w.trigger("menu_save_powerpaint");
        w.trigger("menu_save_powerpaint_10k");
        w.trigger("menu_save_picture");
        const ProgramRun run = runWithoutDisplay(
            QStringLiteral(DITHER_BINARY),
            options + QStringList{"--pp", "batch.pp", "--pp10k", "batch10k.pp", "--bmp", "batch.bmp", "input.png"},
            folder);
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile(path("window_full.pp")), readFile(path("batch.pp")));
        QCOMPARE(readFile(path("window_10k.PP")), readFile(path("batch10k.pp")));
        QCOMPARE(readFile(path("window_bmp.bmp")), readFile(path("batch.bmp")));
    }

    // What is handed on is what is shown: a picture loaded after a conversion is
    // converted with the same method before it is saved or copied, and the status never
    // says "Done" for a picture not converted.
    void handsOnThePictureShownNotTheOneConvertedBefore()
    {
        QVERIFY(photoImage().save(path("first.png")));
        QVERIFY(pictureImage(dither_test::noisyPicture(7)).save(path("second.png")));
        Window w;
        if (w.window.livePreview())
            w.trigger("menu_live_preview");
        w.load(path("first.png"));
        w.trigger("menu_color_select_all");
        w.trigger("menu_nearest");
        QVERIFY(w.statusText() == conversionDone && w.window.isWindowModified());
        w.load(path("second.png"));
        QVERIFY(w.statusText() != conversionDone && !w.window.isWindowModified());
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Palette Press - second.png[*]"));
        const ConversionResult second = w.convertedWith(Method::Nearest);
        w.paths << path("second.pp") << path("second.bmp");
        w.trigger("menu_save_powerpaint");
        QCOMPARE(readFile(path("second.pp")), powerPaintFile(second, true));
        QCOMPARE(w.statusText(), QStringLiteral("Wrote second.pp (40960 bytes)"));
        QVERIFY(!w.window.isWindowModified());
        w.trigger("menu_save_picture");
        QCOMPARE(QImage(path("second.bmp")).convertToFormat(QImage::Format_RGB32),
                 resultImage(second).convertToFormat(QImage::Format_RGB32));

        // Without a method chosen there is no conversion to save as PowerPaint: it says so.
        QSettings().clear();
        Window fresh;
        fresh.load(path("first.png"));
        fresh.paths << path("none.pp");
        fresh.trigger("menu_save_powerpaint");
        QVERIFY(!QFile::exists(path("none.pp")));
        QCOMPARE(fresh.dialogs.texts(), QStringList{notConvertedMessage()});
    }

    void savesAskBeforeReplacing_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("replace"); // the answer when the file exists already
        QTest::newRow("no extension") << "shot"
                                      << "shot.bmp" << true;
        QTest::newRow("png") << "shot.png"
                             << "shot.png" << true;
        QTest::newRow("other extension") << "shot.bmp.txt"
                                         << "shot.bmp.txt.bmp" << false;
    }

    void savesAskBeforeReplacing()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(bool, replace);
        QDir(dir.path()).mkdir("replace");
        const QString target = path("replace/" + written);
        QFile::remove(target);
        Window w;
        w.paths << path("replace/" + chosen) << path("replace/" + chosen);
        w.trigger("menu_save_picture");
        QCOMPARE(w.dialogs.shown.size(), 0);
        QCOMPARE(QImage(target).size(), QSize(256, 192)); // the prompt, before any conversion
        QCOMPARE(readFile(target).startsWith("\x89PNG"), written.endsWith(".png"));
        writeFile(target, "old");
        w.dialogs.yesNoAnswers << replace;
        w.trigger("menu_save_picture");
        QCOMPARE(w.dialogs.shown.size(), 1);
        QVERIFY(w.dialogs.shown[0].text.contains(QFileInfo(target).fileName()));
        QCOMPARE(readFile(target) == "old", !replace);
        QCOMPARE(w.requests.last().title, QStringLiteral("Save Picture"));
        w.trigger("menu_save_powerpaint"); // closed without a choice: nothing written
        w.paths << path("no folder/picture.pp");
        w.trigger("menu_save_powerpaint");
        QCOMPARE(w.dialogs.shown.last().kind, QStringLiteral("tell"));
    }

    void swatchesChecksAndSliders()
    {
        Window w;
        const std::pair<double, int> clicks[] = {{0, 0}, {15.9, 0}, {16, 1}, {239, 14}, {240.5, 14}};
        for (const auto& [y, box] : clicks) {
            w.window.onSwatchesMouseDown(1, 0, 5, y);
            QVERIFY(w.window.colourBoxes[box]->isChecked());
            w.window.colourBoxes[box]->setChecked(false);
        }
        w.window.onSwatchesMouseDown(2, 0, 5, 0); // right button: nothing
        QVERIFY(!w.window.colourBoxes[0]->isChecked());
        w.window.onSwatchesMouseDown(1, 0, 5, 100);
        w.trigger("menu_floyd_steinberg");
        QCOMPARE(w.statusText(), selectMoreColors);
        QVERIFY(!w.window.converted);
        w.window.gammaSlider->setValue(110);
        w.window.brightnessSlider->setValue(-100);
        w.window.diffusionSlider->setValue(0);
        QCOMPARE(w.window.sliderValueLabels[2]->text(), QStringLiteral(" 110%"));
        QCOMPARE(w.window.sliderValueLabels[1]->text(), QStringLiteral(" 0%"));
        QCOMPARE(w.window.sliderValueLabels[0]->text(), QStringLiteral(" 0%"));
        w.trigger("menu_color_select_all");
        QCOMPARE(w.window.currentSettings().colours, allColours());
        w.trigger("menu_color_unselect_all");
        QCOMPARE(w.window.currentSettings().colours, ColourChoice{});

        // Each colour box names its colour; the sliders move with the keyboard.
        QCOMPARE(w.window.colourBoxes[0]->toolTip(), QStringLiteral("1 black"));
        QCOMPARE(w.window.colourBoxes[13]->toolTip(), QStringLiteral("14 gray"));
        QVERIFY(w.window.gammaSlider->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(w.window.gammaSlider, Qt::Key_Right);
        QCOMPARE(w.window.gammaSlider->value(), 111);
        QCOMPARE(w.window.sliderValueLabels[2]->text(), QStringLiteral(" 111%"));
    }

    void livePreviewReRunsTheLastMethodAndIsRemembered()
    {
        QVERIFY(photoImage().save(path("live.png")));
        {
            Window w;
            QVERIFY(!w.window.livePreview());
            w.load(path("live.png"));
            w.trigger("menu_color_select_all");
            w.trigger("menu_burkes");
            const ConversionResult first = w.window.result;
            w.window.gammaSlider->setValue(150); // without live preview nothing is recomputed
            QVERIFY(!w.window.livePreviewTimer.isActive());
            QCOMPARE(w.window.result.patternTable, first.patternTable);
            w.trigger("menu_live_preview");
        }
        Window w; // the choice is remembered
        QVERIFY(w.window.livePreview());
        w.load(path("live.png"));
        w.trigger("menu_color_select_all");
        w.trigger("menu_sierra");
        const int runs = w.window.conversionsRun;
        w.window.gammaSlider->setValue(150);
        w.window.colourBoxes[3]->setChecked(false);
        w.trigger("menu_palette_data_1");
        QVERIFY(w.window.livePreviewTimer.isActive());
        w.window.runLivePreview(); // the three changes collapse into one run
        QCOMPARE(w.window.conversionsRun, runs + 1);
        QCOMPARE(w.window.result.colourTable, w.convertedWith(Method::Sierra).colourTable);
        w.trigger("menu_live_preview");
    }

    // The choices come back in the next run; values from elsewhere fall back to the
    // first run's.
    void remembersTheChoicesOfTheLastRun()
    {
        {
            Window w;
            for (int box : {0, 3, 14})
                w.window.colourBoxes[box]->setChecked(true);
            w.window.diffusionSlider->setValue(40);
            w.window.brightnessSlider->setValue(-30);
            w.window.gammaSlider->setValue(150);
            for (const char* action : {"menu_palette_data_1", "menu_resize_mode_2", "menu_resolution_mode_1",
                                       "menu_ord_error_diffusion", "menu_ord_level_17", "menu_zoom_2"})
                w.trigger(action);
        }
        Window w;
        ConversionSettings expected;
        expected.method = Method::Ordered17;
        expected.orderedError = true;
        expected.paletteMode = 1;
        expected.colours = dither_test::colours({1, 4, 15});
        std::tie(expected.diffusion, expected.brightness, expected.gamma) = std::tuple(40, -30, 150);
        const ConversionSettings restored = w.window.currentSettings();
        QCOMPARE(std::tuple(restored.method, restored.orderedError, restored.paletteMode, restored.colours),
                 std::tuple(expected.method, expected.orderedError, expected.paletteMode, expected.colours));
        QCOMPARE(QList<int>({restored.diffusion, restored.brightness, restored.gamma}), QList<int>({40, -30, 150}));
        QVERIFY(w.window.paletteActions[1]->isChecked() && w.window.zoomActions[1]->isChecked());
        QCOMPARE(std::pair(w.window.resizeMode, w.window.resolutionMode),
                 std::pair(ResizeMode::RespectAspectRatio, ResolutionMode::TenK));
        QCOMPARE(w.window.pictureView->size(), QSize(512, 384));
        QCOMPARE(w.window.sliderValueLabels[0]->text(), QStringLiteral(" 40%"));
        QVERIFY(!w.window.converted); // nothing converted until asked
        QVERIFY(!w.window.livePreviewTimer.isActive());

        QSettings settings;
        for (const char* key : {"window/palette", "window/gamma", "window/zoom", "window/resize"})
            settings.setValue(key, 999);
        settings.setValue("window/method", "bogus");
        Window fallback;
        QCOMPARE(fallback.window.currentSettings().gamma, 100);
        QCOMPARE(std::pair(fallback.window.paletteMode, fallback.window.zoom), std::pair(0, 1));
        QVERIFY(!fallback.window.lastMethod);
    }

    void requestsDuringAConversionCollapseIntoOne()
    {
        Window w;
        w.trigger("menu_color_select_all");
        // Three choices while the first conversion lets events through: only the last runs.
        QString progress;
        QTimer::singleShot(0, &w.window, [&w, &progress] {
            progress = w.statusText();
            for (const char* method : {"menu_burkes", "menu_stucki", "menu_nearest"})
                w.trigger(method);
        });
        w.trigger("menu_stevenson_arce");
        QCOMPARE(progress, QStringLiteral("line# 1"));
        QCOMPARE(w.window.conversionsRun, 2);
        QCOMPARE(w.window.result.patternTable, w.convertedWith(Method::Nearest).patternTable);
    }

    void compareAllMethodsRunsTheClickedOne()
    {
        Window w;
        w.trigger("menu_compare_methods");
        QCOMPARE(w.window.compareWindow()->thumbnails().size(), 0); // no colours chosen
        w.trigger("menu_color_select_all");
        w.trigger("menu_compare_methods");
        CompareMethodsWindow* compare = w.window.compareWindow();
        QCOMPARE(compare->thumbnails().size(), 18);
        compare->findChild<QCheckBox*>("chk_ordered_error")->setChecked(true);
        QCOMPARE(compare->thumbnails().size(), 25);
        compare->findChild<QToolButton*>("thumbnail_ordered-9_error")->click();
        QVERIFY(w.window.orderedErrorAction->isChecked());
        QCOMPARE(w.window.result.patternTable, w.convertedWith(Method::Ordered9).patternTable);
    }

    void zoomDropAndClipboard()
    {
        Window w;
        w.trigger("menu_zoom_3");
        QCOMPARE(w.window.centralWidget()->size(), QSize(328 + 512, 415 + 384));
        QCOMPARE(w.window.pictureView->size(), QSize(768, 576));
        w.trigger("menu_zoom_1");
        QCOMPARE(w.window.centralWidget()->size(), QSize(328, 415));

        QVERIFY(photoImage().save(path("dropped.bmp")));
        QVERIFY(dropFile(&w.window, path("dropped.bmp")));
        QCOMPARE(w.window.sourcePicture, dither_test::noisyPicture(3));

        w.window.copyButton->click(); // before a conversion: the picture shown
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), photoImage());
        w.trigger("menu_color_select_all");
        w.trigger("menu_tiny_special");
        w.trigger("menu_paste_clipboard");
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 resultImage(w.window.result));
    }
};

QTEST_MAIN(DitherWindowTest)
#include "test_dither_window.moc"
