// The window of kardo2, the screen mode 1 edition, driven as a user would: what it
// shows in place of kardo3's controls, the group colours, the whole-set pattern
// commands, the Prototype button and the edition's texts.
#include "color_swatch.h"
#include "kardo_window.h"
#include "pixel_view.h"
#include "prototype_writer.h"
#include "random_document.h"
#include "scripted_dialogs.h"
#include "test_files.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tile;

namespace {

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window{Edition::ScreenMode1};
    explicit Harness(const QString& prototypeList = QStringLiteral("no-such-prototype.txt"),
                     const QString& commandLine = {})
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(prototypeList);
        window.setCommandLine(commandLine);
        window.Form_Load();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
    void click(const char* name) { QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton); }
    void press(QWidget* view, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view, button, {}, at);
        QTest::mouseRelease(view, button, {}, at);
    }
    QRgb patternPixel(int ch, int x, int y) { return window.PATTERN->buffer().pixel(16 * (ch / 8) + x, 16 * (ch % 8) + y) & 0xFFFFFF; }
    QRgb color(int index) { return tms::toQRgb(window.palette()[index]) & 0xFFFFFF; }
};

} // namespace

class TestKardo2Window : public QObject {
    Q_OBJECT
private slots:
    void controlsOfTheEdition()
    {
        Harness h;
        QVERIFY(h.window.isModeOne());
        for (const char* absent : {"TextHEX", "Label1", "BLOCKMARKER_0", "cmd_show_sprite", "cmd_hide_sprite", "Timer2"})
            QVERIFY2(!h.window.findChild<QObject*>(absent), absent);
        QCOMPARE(h.window.findChildren<ColorSwatch*>(QRegularExpression("^COL_")).size(), 2);
        QVERIFY(h.window.findChild<ColorSwatch*>("COL_0") && h.window.findChild<ColorSwatch*>("COL_1"));
        QVERIFY(h.window.findChild<tms::PixelView*>("COLOR"));
        QVERIFY(h.window.cmd_Refresh->isVisibleTo(&h.window));
        QCOMPARE(h.window.width(), KardoWindow::wideWidth); // the sprite panel is always in view
        QCOMPARE(h.color(0), 0x000040u);
        const QStringList fonts = {"Font #&1", "Font #&2", "Font #&3", "Font #&4", "Font #&5", "Font #&6", "Font #&7", "Font #&8"};
        for (int i = 0; i < 8; ++i)
            QCOMPARE(h.window.Polices->findChild<QAction*>(QString("font%1").arg(i + 1))->text(), fonts[i]);
        QVERIFY(!h.window.Polices->findChild<QAction*>("font9"));
    }

    void groupColoursFromTheStrip()
    {
        Harness h;
        h.press(h.window.PATTERN, {24, 24}, Qt::RightButton); // character 9, no marker
        QCOMPARE(h.doc().currentChar, 9);
        QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{0, 255}));
        QCOMPARE(h.window.colorTarget(), ForegroundTarget);
        h.doc().charPatterns[12][0] = 0x80;
        h.press(h.window.colorStrip, {5, 65}); // colour 6
        QCOMPARE(int(h.doc().groupColors[1]), 0x61);
        QVERIFY(h.doc().modified);
        QCOMPARE(h.window.COL[ForegroundTarget]->fillColor().rgb() & 0xFFFFFF, h.color(6));
        QCOMPARE(h.patternPixel(12, 0, 0), h.color(6)); // every character of the group
        QCOMPARE(h.patternPixel(12, 4, 0), h.color(1));
        QCOMPARE(int(h.doc().groupColors[0]), 0x41);

        h.doc().modified = false;
        h.press(h.window.colorStrip, {5, 61}); // the colour the swatch shows: nothing changes
        QVERIFY(!h.doc().modified);
        QTest::mouseClick(h.window.COL[BackgroundTarget], Qt::LeftButton);
        h.window.Form_Activate(); // activation keeps the selector
        h.press(h.window.colorStrip, {5, 400}); // below the strip: colour 15
        QCOMPARE(int(h.doc().groupColors[1]), 0x6F);
    }

    void wholeSetCopyClearPaste()
    {
        Harness h;
        const TileDocument source = testdoc::randomDocument(5, true, Edition::ScreenMode1);
        h.doc() = source;
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        h.click("cmd_copy_pattern");
        QVERIFY(h.window.cmd_paste_pattern->isEnabled());
        h.click("cmd_clear_pattern");
        for (Byte g : h.doc().groupColors)
            QCOMPARE(int(g), 65);
        QCOMPARE(h.patternPixel(200, 1, 1), h.color(1));
        h.click("cmd_paste_pattern");
        QVERIFY(h.doc().sameTablesAs(source) && h.doc().modified);
    }

    void prototypeButtonWritesTheTables()
    {
        QTemporaryDir dir;
        QByteArray image(8000, '\x11');
        image.replace(1000, 9, "PROTOTYPE");
        writeFile(dir.filePath("game.rom"), image);
        writeFile(dir.filePath("full.rom"), QByteArray(7000, 0) + "PROTOTYPE" + QByteArray(991, 0));
        writeFile(dir.filePath("prototype.txt"), dir.filePath("game.rom").toLocal8Bit() + "\r\n");
        writeFile(dir.filePath("full.txt"), dir.filePath("full.rom").toLocal8Bit());

        Harness h(dir.filePath("prototype.txt"));
        QVERIFY(h.window.cmd_prototype->isVisibleTo(&h.window));
        h.doc() = testdoc::randomDocument(6, true, Edition::ScreenMode1);
        h.doc().modified = true;
        h.click("cmd_prototype");
        QCOMPARE(readFile(dir.filePath("game.rom")), image.left(1010) + prototypeTables(h.doc()) + image.mid(3858));
        QVERIFY(h.dialogs.shown.isEmpty() && h.doc().modified); // silent, and the document unchanged

        Harness full(dir.filePath("full.txt"));
        full.click("cmd_prototype");
        QCOMPARE(full.dialogs.shown.size(), 1);
        QVERIFY(full.dialogs.shown[0].text.contains("do not fit"));
        QCOMPARE(readFile(dir.filePath("full.rom")), QByteArray(7000, 0) + "PROTOTYPE" + QByteArray(991, 0));
    }

    void editionTextsAndModeTwoProjects()
    {
        QTemporaryDir dir;
        writeFile(dir.filePath("mode2.dat"), testdoc::expectedProjectFile(testdoc::randomDocument(7)));
        Harness h(QStringLiteral("no-such-prototype.txt"), dir.filePath("mode2.dat"));
        QCOMPARE(h.dialogs.shown.size(), 1);
        QVERIFY(h.dialogs.shown[0].text.contains("kardo3"));
        QVERIFY(h.doc().sameTablesAs(TileDocument(Edition::ScreenMode1)));

        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Form_Terminate());
        QCOMPARE(h.dialogs.shown.last().title, QString("Warning! Unsaved modification!"));
        QCOMPARE(h.dialogs.shown.last().text, QString("Do you want to save you works?"));
    }
};

QTEST_MAIN(TestKardo2Window)
#include "test_kardo2_window.moc"
