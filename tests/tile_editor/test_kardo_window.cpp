#include "color_swatch.h"
#include "kardo_window.h"
#include "lien.h"
#include "pixel_view.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace tile;

namespace {

QRgb shown(PixelView* view, int x, int y)
{
    return view->shownImage().pixel(x, y) & 0xFFFFFF;
}

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    explicit Harness(const QString& prototypeList = QStringLiteral("no-such-prototype.txt"))
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(prototypeList);
        window.Form_Load();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
};

} // namespace

class TestKardoWindow : public QObject {
    Q_OBJECT
private slots:
    void viewsHaveTheirSizesAndNames()
    {
        Harness h;
        const QList<std::pair<QString, QSize>> views = {{"CARACTERE", {80, 80}},
                                                       {"PATTERN", {512, 128}},
                                                       {"ECRAN", {256, 192}},
                                                       {"SPRITE", {128, 128}}};
        for (const auto& [name, size] : views) {
            auto* view = h.window.findChild<PixelView*>(name);
            QVERIFY2(view, qPrintable(name));
            QCOMPARE(view->size(), size);
        }
        for (const char* name : {"cmd_carac_flipx", "cmd_paste_pattern", "cmd_sprite_color", "cmd_scroll_up",
                                 "cmd2_scroll_right", "cmd3_scroll_left", "cmd_show_sprite", "cmd_prototype"})
            QVERIFY2(h.window.findChild<QPushButton*>(name), name);
        QVERIFY(h.window.findChild<QLineEdit*>("TextHEX"));
        QCOMPARE(h.window.windowTitle(), QString("KARDO"));
        QCOMPARE(h.window.TextHEX->text(), QString("0000000000000000"));
        QCOMPARE(h.window.NOCARACTERE->text(), QString("32 (0x20)"));
        QCOMPARE(h.window.NOSPRITE->text(), QString("Sprite Pattern # 0"));
        QCOMPARE(h.window.COLOR[0]->fillColor(), QColor(64, 64, 64));
        QVERIFY(h.window.cmd_prototype->isHidden());
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QVERIFY(!h.window.cmd_paste_pattern->isEnabled());
        QVERIFY(!h.window.findChild<QAction*>("font1")->isEnabled());
    }

    void drawingShowsEverywhere()
    {
        Harness h;
        h.doc().nameTable[3][4] = 32;
        // Left press at (79.4, 0): bit 0 of row 0, in the foreground (4, dark blue).
        h.window.CARACTERE_MouseDown(1, 0, 79.4, 0);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(1));
        QVERIFY(h.doc().modified);
        const QRgb blue = QColor(84, 85, 237).rgb() & 0xFFFFFF;
        QCOMPARE(shown(h.window.CARACTERE, 75, 5), blue);
        QCOMPARE(shown(h.window.CARACTERE, 65, 5), 0u);
        // Character 32: column 4, row 0 of the pattern table -> cell (64, 0); pixel 7 at x 78.
        QCOMPARE(shown(h.window.PATTERN, 78, 1), blue);
        QCOMPARE(shown(h.window.PATTERN, 64, 0), QColor(102, 102, 102).rgb() & 0xFFFFFF); // frame
        QCOMPARE(shown(h.window.ECRAN, 8 * 3 + 7, 8 * 4), blue);
        QCOMPARE(shown(h.window.ECRAN, 0 * 8 + 7, 0), blue);
        QCOMPARE(h.window.TextHEX->text(), QString("0100000000000000"));

        h.doc().modified = false;
        h.window.CARACTERE_MouseMove(1, 0, 75, 2); // drawing a set pixel again
        QVERIFY(!h.doc().modified);
        h.window.CARACTERE_MouseDown(4, 0, 10, 10); // middle button
        h.window.CARACTERE_MouseDown(3, 0, 10, 10); // both buttons
        QVERIFY(!h.doc().modified);
        h.window.CARACTERE_MouseMove(2, 0, 200, -50); // clamped to (7, 0): clears it
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0));
        QCOMPARE(shown(h.window.CARACTERE, 75, 5), 0u);
    }

    void choosingCharactersAndMarkers()
    {
        Harness h;
        h.window.PATTERN_MouseDown(1, 0, 20, 40);
        QCOMPARE(h.doc().currentChar, 10);
        QCOMPARE(h.window.NOCARACTERE->text(), QString("10 (0x0A)"));
        QCOMPARE(h.window.PATTERN->frame().value(), QRect(16, 32, 16, 16));
        QCOMPARE(h.doc().markedBlock, (std::array<int, 2>{0, 255}));

        h.window.PATTERN_MouseDown(0, 0, 100, 100); // no button
        QCOMPARE(h.doc().currentChar, 10);

        auto pick = [&](int n) { h.window.PATTERN_MouseDown(2, 0, 16 * (n / 8) + 3, 16 * (n % 8) + 3); };
        const QColor orange(255, 128, 0), yellow(255, 255, 0);
        pick(40);
        pick(30);
        QCOMPARE(h.window.BLOCKMARKER[0]->text(), QString("40 (0x28)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->text(), QString("30 (0x1E)"));
        QCOMPARE(h.window.BLOCKMARKER[0]->palette().color(QPalette::WindowText), orange);
        pick(30); // the current character again: neither chosen nor marked
        pick(50);
        QCOMPARE(h.window.BLOCKMARKER[0]->text(), QString("50 (0x32)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), orange);
        pick(60);
        QCOMPARE(h.window.BLOCKMARKER[1]->text(), QString("60 (0x3C)"));
        QCOMPARE(h.window.BLOCKMARKER[1]->palette().color(QPalette::WindowText), yellow);
        QVERIFY(!h.doc().modified);
    }

    void paletteClicksAfterActivation()
    {
        Harness h;
        QCOMPARE(h.doc().selectedSwatch, 17);
        h.window.COLOR_Click(9);
        for (int y = 0; y < 8; ++y)
            QCOMPARE(h.doc().charColors[32][y], Byte(0x91));
        QCOMPARE(h.window.COL[1]->fillColor(), QColor(255, 121, 120));
        QVERIFY(h.doc().modified);

        h.doc().modified = false;
        h.window.COL_Click(4); // background of row 2
        h.window.COLOR_Click(1); // already black
        QVERIFY(!h.doc().modified);
        h.window.COLOR_Click(0);
        QCOMPARE(h.doc().charColors[32][2], Byte(0x90));
        QCOMPARE(h.window.COL[4]->fillColor(), QColor(64, 64, 64));

        h.window.Form_Activate(); // back from a dialog: all-rows foreground again
        QCOMPARE(h.doc().selectedSwatch, 17);
    }

    void selectedSwatchBlinks()
    {
        Harness h;
        ColorSwatch* swatch = h.window.COL[17];
        const QColor fill = swatch->fillColor();
        h.window.Timer2_Timer();
        QCOMPARE(swatch->drawColor(), QColor(255 - fill.red(), 255 - fill.green(), 255 - fill.blue()));
        h.window.Timer2_Timer();
        QCOMPARE(swatch->drawColor(), fill);
        h.window.Timer2_Timer();
        h.window.COL_Click(3); // the old swatch loses its outline
        QCOMPARE(swatch->drawColor(), fill);
    }

    void hexBoxTyping()
    {
        Harness h;
        h.window.TextHEX->clear();
        QTest::keyClicks(h.window.TextHEX, "fg1");
        QCOMPARE(h.window.TextHEX->text(), QString("F1"));
        QCOMPARE(h.doc().charPatterns[32][0], Byte(0xF1));
        QCOMPARE(h.doc().charPatterns[32][1], Byte(0));
        QVERIFY(h.doc().modified);
        QTest::keyClick(h.window.TextHEX, Qt::Key_Backspace);
        QCOMPARE(h.window.TextHEX->text(), QString("F1"));
    }

    void screenLabelsTickAndClamping()
    {
        Harness h;
        h.doc().currentChar = 65;
        h.window.ECRAN_MouseMove(0, 0, 255, 191);
        QCOMPARE(h.window.LACOORX->text(), QString("X=31"));
        QCOMPARE(h.window.LACOORY->text(), QString("Y=23"));
        QCOMPARE(h.window.LACARAC->text(), QString("C=32 (0x20)"));
        h.window.ECRAN_MouseMove(1, 0, 256, 100); // outside: nothing at all
        QCOMPARE(h.window.LACOORX->text(), QString("X=31"));

        h.window.Fichier_Click(); // opening a menu clears tick
        h.window.ECRAN_MouseDown(1, 0, 10, 10);
        QCOMPARE(h.doc().nameTable[1][1], Byte(32));
        QVERIFY(!h.doc().modified);

        h.window.Timer1_Timer();
        h.window.ECRAN_MouseDown(2, 0, 10, 10); // any button paints
        QCOMPARE(h.doc().nameTable[1][1], Byte(65));
        QVERIFY(h.doc().modified);
        h.window.ECRAN_MouseDown(1, 0, 900, -40); // clamped to (31, 0)
        QCOMPARE(h.doc().nameTable[31][0], Byte(65));
        h.doc().modified = false;
        h.window.ECRAN_MouseMove(1, 0, 12, 12); // a cell already holding it
        QVERIFY(!h.doc().modified);
        QCOMPARE(h.window.LACARAC->text(), QString("C=65 (0x41)"));
    }

    void screenScrollButtons()
    {
        Harness h;
        h.doc().nameTable[0][0] = 7;
        QTest::mouseClick(h.window.findChild<QPushButton*>("cmd_scroll_left"), Qt::LeftButton);
        QCOMPARE(h.doc().nameTable[31][0], Byte(7));
        QVERIFY(h.doc().modified);
        QTest::mouseClick(h.window.findChild<QPushButton*>("cmd_scroll_up"), Qt::LeftButton);
        QCOMPARE(h.doc().nameTable[31][23], Byte(7));
    }

    void spritePanelShowsAndHides()
    {
        Harness h;
        const int height = h.window.height();
        QCOMPARE(h.window.width(), KardoWindow::narrowWidth);
        h.window.cmd_show_sprite_Click();
        QCOMPARE(h.window.width(), KardoWindow::wideWidth);
        QVERIFY(h.window.cmd_show_sprite->isHidden());
        h.window.cmd_hide_sprite_Click();
        QCOMPARE(h.window.width(), KardoWindow::narrowWidth);
        QCOMPARE(h.window.height(), height);
        h.window.cmd_hide_sprite_Click(); // only while the panel is shown
        QCOMPARE(h.window.width(), KardoWindow::narrowWidth);
    }

    void closeAskesAndResets()
    {
        Harness h;
        h.doc().currentChar = 40;
        h.window.CARACTERE_MouseDown(1, 0, 0, 0);
        h.window.cmd_paste_car->setEnabled(true);
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Fermer_Click());
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].title, QString("Warning"));
        QCOMPARE(h.dialogs.shown[0].text, QString("Do you want to save the modification before closing?"));
        QCOMPARE(h.doc().charPatterns[40][0], Byte(0));
        QVERIFY(!h.doc().modified);
        QCOMPARE(h.window.windowTitle(), QString("KARDO"));
        QVERIFY(!h.window.cmd_paste_car->isEnabled());
        QCOMPARE(h.doc().currentChar, 40); // the editing state stays

        QVERIFY(h.window.Fermer_Click()); // clean: no question
        QCOMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.unexpected, 0);
    }

    void yesOnAnUnsavedDocumentKeepsTheWorkWhenNothingIsWritten()
    {
        Harness h;
        h.window.setFileDialogRunner([](FileDialogKind) {}); // the user closes the Save As dialog
        h.window.CARACTERE_MouseDown(1, 0, 0, 0);
        h.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(!h.window.Fermer_Click());
        QVERIFY(h.doc().modified);
        QCOMPARE(h.doc().charPatterns[32][0], Byte(128));

        h.dialogs.shown.clear();
        h.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(!h.window.Form_Terminate());
        QCOMPARE(h.dialogs.shown.first().title, QString("Warning! Unsaved modification!"));
        QCOMPARE(h.dialogs.shown.first().text, QString("Do you want to save you work?"));
        // The closed Save As dialog leaves its hint.
        QCOMPARE(h.dialogs.shown.last().text, QString("To save your work just select Save item in File menu"));
        h.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(h.window.Form_Terminate());
    }

    void prototypeButtonFollowsTheImage()
    {
        QTemporaryDir dir;
        QByteArray image(8000, '\0');
        image.replace(0, 9, "PROTOTYPE");
        QFile rom(dir.filePath("game.rom"));
        QVERIFY(rom.open(QIODevice::WriteOnly));
        rom.write(image);
        rom.close();
        QFile list(dir.filePath("prototype.txt"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write(dir.filePath("game.rom").toLocal8Bit() + "\r\n");
        list.close();
        Harness h(dir.filePath("prototype.txt"));
        QVERIFY(!h.window.cmd_prototype->isHidden());
        QCOMPARE(h.window.prototypeOffset(), std::optional<qint64>(11));
        QVERIFY(h.dialogs.shown.isEmpty());
    }

    void commandLineOfAnotherKindIsIgnored()
    {
        ScriptedDialogs dialogs;
        KardoWindow window;
        window.setDialogs(&dialogs);
        window.setCommandLine("font.fcv");
        window.Form_Activate();
        QVERIFY(window.document().fileName.isEmpty());
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(window.windowTitle(), QString("KARDO"));
    }
};

QTEST_MAIN(TestKardoWindow)
#include "test_kardo_window.moc"
