// kardo2, the screen mode 1 edition, where it differs from kardo3: the group colours
// set from the COLOR strip, the whole-set pattern commands, the controls and texts of
// its window, and the tables written into a cartridge image. The file formats of both
// editions share their tests (edition rows).
#include "color_swatch.h"
#include "pixel_view.h"
#include "prototype_writer.h"
#include "random_document.h"
#include "test_files.h"
#include "window_harness.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

struct Harness : WindowHarness {
    explicit Harness(const QString& prototypeList = QStringLiteral("no-such-prototype.txt"))
        : WindowHarness(false, prototypeList, Edition::ScreenMode1)
    {
    }
    void press(QWidget* view, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(view, button, {}, at);
        QTest::mouseRelease(view, button, {}, at);
    }
    QRgb cell(int ch, int x)
    {
        return window.m_patternTableView->buffer().pixel(16 * (ch / 8) + x, 16 * (ch % 8)) & 0xFFFFFF;
    }
    QRgb color(int index) { return tms::toQRgb(window.palette()[index]) & 0xFFFFFF; }
};

} // namespace

class TestScreenMode1 : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTexts()
    {
        Harness h;
        for (const char* absent : {"TextHEX", "Label1", "BLOCKMARKER_0", "cmd_show_sprite", "COL_2", "Timer2"})
            QVERIFY2(!h.window.findChild<QObject*>(absent), absent);
        QVERIFY(h.window.m_refreshButton->isVisibleTo(&h.window));
        QCOMPARE(h.window.width(), TileEditorWindow::wideWidth); // the sprite panel is always in view
        QCOMPARE(h.color(0), 0x000040u);
        QCOMPARE(h.window.m_fontsMenu->findChild<QAction*>("font8")->text(), QString("Font #&8"));
        // (Its question at the end of the window: projectsLiveThroughTheSharedDocumentLife.)
    }

    void groupColoursFromTheStrip()
    {
        Harness h;
        h.doc().charPatterns[12][0] = 0x80;
        h.press(h.window.m_patternTableView, {24, 24}, Qt::RightButton); // character 9; no block marker
        QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{0, 255}));
        h.press(h.window.m_colorStrip, {5, 65}); // foreground (COL 1) to colour 6
        QCOMPARE(int(h.doc().groupColors[1]), 0x61);
        QCOMPARE(int(h.doc().groupColors[0]), 0x41);
        QCOMPARE(h.cell(12, 0), h.color(6)); // characters 8..15 together
        QCOMPARE(h.cell(12, 4), h.color(1));
        QCOMPARE(h.cell(7, 0), h.color(1));
        h.doc().modified = false;
        h.press(h.window.m_colorStrip, {5, 61}); // the colour the swatch shows already
        QVERIFY(!h.doc().modified);
        QTest::mouseClick(h.window.m_rowSwatches[BackgroundTarget], Qt::LeftButton);
        h.window.onActivated();                   // keeps the selector
        h.press(h.window.m_colorStrip, {5, 400}); // below the strip: colour 15
        QCOMPARE(int(h.doc().groupColors[1]), 0x6F);
    }

    void wholeSetCopyClearPaste()
    {
        Harness h;
        const TileDocument source = testdoc::randomDocument(5, true, Edition::ScreenMode1);
        h.doc() = source;
        h.click("cmd_copy_pattern");
        h.click("cmd_clear_pattern");
        for (int c = 0; c < 256; ++c)
            QVERIFY(h.doc().charPatterns[c] == CharRows{} && h.doc().groupColors[c / 8] == 65);
        h.click("cmd_paste_pattern");
        QVERIFY(h.doc().sameTablesAs(source) && h.doc().modified);
    }

    void prototypeImages_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("marker");      // first byte of the marker, counted from 1
        QTest::addColumn<QString>("refusal"); // empty: the tables are written
        QTest::newRow("8000, marker at 1001") << 8000 << 1001 << QString();
        QTest::newRow("tables end the image") << 32767 << 32767 - 2857 << QString();
        QTest::newRow("one byte short") << 32767 << 32767 - 2856 << "do not fit";
        QTest::newRow("no marker") << 9000 << 0 << "no \"PROTOTYPE\" marker";
        QTest::newRow("7999 bytes") << 7999 << 1 << "8000 to 32768";
        QTest::newRow("a standard 32 KB cartridge") << 32768 << 32768 - 2857 << QString();
        QTest::newRow("32769 bytes") << 32769 << 1 << "8000 to 32768";
    }

    // Through the Prototype button: the image is found by the start-up scan.
    void prototypeImages()
    {
        QFETCH(int, size);
        QFETCH(int, marker);
        QFETCH(QString, refusal);
        QTemporaryDir dir;
        QByteArray image(size, 0);
        for (int i = 0; i < size; ++i)
            image[i] = char(i * 7 + 3);
        if (marker > 0)
            image.replace(marker - 1, 9, "PROTOTYPE");
        writeFile(dir.filePath("game.rom"), image);
        writeFile(dir.filePath("prototype.txt"), dir.filePath("game.rom").toLocal8Bit());
        Harness h(dir.filePath("prototype.txt"));
        h.doc() = testdoc::randomDocument(11, true, Edition::ScreenMode1);
        h.window.onPrototypeClicked();
        const QByteArray written = readFile(dir.filePath("game.rom"));
        if (!refusal.isEmpty()) {
            QVERIFY(h.dialogs.shown.size() == 1 && h.dialogs.shown[0].text.contains(refusal));
            QCOMPARE(written, image); // left byte for byte as it was
            return;
        }
        QVERIFY(h.window.m_prototypeButton->isVisibleTo(&h.window) && h.dialogs.shown.isEmpty()); // success is silent
        // Counted from 1: the marker, one byte kept, then the name table, the patterns and
        // the group colours (for the marker at 1001: 1011..1778, 1779..3826, 3827..3858).
        QByteArray tables;
        for (const std::vector<int>& table :
             {testdoc::names(h.doc()), testdoc::patterns(h.doc()), testdoc::colors(h.doc())})
            for (int v : table)
                tables.append(char(v));
        QCOMPARE(written, image.left(marker + 9) + tables + image.mid(marker + 9 + 2848));
    }
};

QTEST_MAIN(TestScreenMode1)
#include "test_screen_mode1.moc"
