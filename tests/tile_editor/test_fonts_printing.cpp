// The built-in fonts, the font file (.fcv) and its preview, the Fonts menu, and the
// printed character sheet.
#include "font_file.h"
#include "font_preview.h"
#include "fonts.h"
#include "kardo_run.h"
#include "print_sheet.h"
#include "printer_form.h"
#include "project_file.h"
#include "random_document.h"
#include "test_files.h"
#include "tile_file_dialogs.h"
#include "window_harness.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <set>

using namespace tile;

namespace {

CharRows rowsOf(const char* hex)
{
    CharRows rows{};
    const QList<QByteArray> parts = QByteArray(hex).split(' ');
    for (int r = 0; r < 8; ++r)
        rows[std::size_t(r)] = Byte(parts[r].toInt(nullptr, 16));
    return rows;
}

FontLoad loadText(const QByteArray& text, TileDocument& doc)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    return loadFontFile(buffer, doc);
}

// The page count and the size of the first page (in points) of a PDF made by the sheet.
std::pair<int, QSizeF> pdfPages(const QByteArray& pdf)
{
    const int pages = int(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r"));
    const QRegularExpressionMatch box =
        QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(QString::fromLatin1(pdf));
    return {pages, box.hasMatch() ? QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble()) : QSizeF()};
}

} // namespace

class TestFonts : public QObject {
    Q_OBJECT
private slots:

    // Each face is its own, draws 57 glyphs and shares the blank "@" and the "%" box.
    void facesShareTheirShape()
    {
        std::set<FontFace> distinct;
        for (int font = 0; font < fontFaceCount; ++font) {
            QCOMPARE(fontData[font]['@' - 33], CharRows{});
            QCOMPARE(fontData[font]['%' - 33], rowsOf("FF 81 B9 A5 B9 A5 81 FF"));
            int drawn = 0;
            for (int g = 0; g < fontGlyphCount; ++g)
                drawn += fontData[font][g] != CharRows{};
            QCOMPARE(drawn, 57);
            distinct.insert(fontData[font]);
        }
        QCOMPARE(int(distinct.size()), fontFaceCount);
        QCOMPARE(fontByte(0, 'A' - 33, 4), Byte(0xFE));
        // The glyphs as released: an edit of any row changes this check sum.
        QCOMPARE(qChecksum(QByteArrayView(reinterpret_cast<const char*>(fontData.data()), sizeof(fontData))),
                 quint16(11163));
    }

    void applyFontTouchesOnlyTheFontCharacters()
    {
        TileDocument doc = testdoc::randomDocument(7);
        const TileDocument before = doc;
        applyFont(doc, 2);
        applyFont(doc, 0);
        for (int c = 0; c < charCount; ++c)
            QCOMPARE(doc.charPatterns[c], c >= 33 && c <= 90 ? fontData[0][c - 33] : before.charPatterns[c]);
        doc.charPatterns = before.charPatterns;
        QVERIFY(doc.sameTablesAs(before)); // (a font is work to save: test_undo)
    }

    void fontFileWriting_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QByteArray>("titleLine");
        QTest::newRow("cancelled") << std::optional<QString>() << QByteArray("FONT COLECOVISION : NONAME");
        QTest::newRow("blanks") << std::optional<QString>("   ") << QByteArray("FONT COLECOVISION : NONAME");
        QTest::newRow("typed") << std::optional<QString>("  My font ") << QByteArray("FONT COLECOVISION :   My font ");
    }

    void fontFileWriting()
    {
        QFETCH(std::optional<QString>, answer);
        QFETCH(QByteArray, titleLine);
        TileDocument doc;
        QCOMPARE(tile::fontFileBytes(doc, fontTitle(answer)), titleLine + "\r\n"); // a blank document: the title only
        doc = testdoc::randomDocument(3);
        doc.charPatterns[5] = {};
        QByteArray expected = titleLine + "\r\n";
        for (int c = 0; c < charCount; ++c) {
            if (c == 5)
                continue;
            expected += testdoc::hex2(c).toLatin1() + " :";
            for (Byte b : doc.charPatterns[c])
                expected += " " + testdoc::hex2(b).toLatin1();
            expected += "\r\n";
        }
        const QByteArray written = tile::fontFileBytes(doc, fontTitle(answer));
        QCOMPARE(written, expected);
        TileDocument loaded;
        QVERIFY(loadText(written, loaded).ok);
        QCOMPARE(loaded.charPatterns, doc.charPatterns);
    }

    void oddLinesAndRefusal()
    {
        TileDocument doc = testdoc::randomDocument(11);
        const TileDocument before = doc;
        const QByteArray text = "FONT COLECOVISION : odd\r\n"
                                "30 : 01 02 03 04 05 06 07 08\r\n"   // whole
                                "31: 11 11 11 11 11 11 11 11\r\n"    // no blank before the colon: skipped
                                "  3a : ff fe 0a 0b 0c 0d 0e 0f  \n" // lower case, blanks around, LF alone
                                "32 : 21 22 3\r\n"                   // short: what is missing counts 0
                                "G3 : 1G 00 00 00 00 00 00 00\r\n"   // not hexadecimal: 0 for such digits
                                "33 :";                              // code alone, no end of line
        FontLoad load = loadText(text, doc);
        QVERIFY(load.ok);
        QCOMPARE(load.charactersRead, 5);
        QCOMPARE(doc.charPatterns[0x30], rowsOf("01 02 03 04 05 06 07 08"));
        QCOMPARE(doc.charPatterns[0x31], before.charPatterns[0x31]);
        QCOMPARE(doc.charPatterns[0x3A], rowsOf("FF FE 0A 0B 0C 0D 0E 0F"));
        QCOMPARE(doc.charPatterns[0x32], rowsOf("21 22 03 00 00 00 00 00"));
        QCOMPARE(doc.charPatterns[0x03], rowsOf("10 00 00 00 00 00 00 00"));
        QCOMPARE(doc.charPatterns[0x33], CharRows{});
        QCOMPARE(doc.charColors, before.charColors);

        doc = before;
        load = loadText("FONT COLECOVISIO\r\n30 : 01 02 03 04 05 06 07 08\r\n", doc);
        QVERIFY(!load.ok);
        QCOMPARE(load.message, QString("Illegal FCV file"));
        QCOMPARE(doc.charPatterns, before.charPatterns);
    }

    void previewShowsTitleAndBands()
    {
        const QByteArray text = "FONT COLECOVISION : Round\r\n"
                                "21 : 80 00 00 00 00 00 00 01\r\n"  // "!": band 0, column 0
                                "53 : 80 00 00 00 00 00 00 00\r\n"  // "S": band 3, column 9
                                "41 : FF FF FF FF FF FF FF FF\r\n"  // "A": band 2, column 1
                                "5A : FF FF FF FF FF FF FF FF\r\n"  // "Z": not shown
                                "21 : 80 00 00 00 00 00 00 00\r\n"; // "!" again: shown as it loads
        const auto preview = previewFontBytes(text);
        QVERIFY(preview);
        QCOMPARE(preview->title, QString("Round"));
        const QImage& p = preview->picture;
        QCOMPARE(p.size(), QSize(160, 64));
        auto white = [&](int x, int y) { return p.pixel(x, y) == qRgb(255, 255, 255); };
        QVERIFY(white(0, 0) && white(1, 1) && !white(2, 0) && !white(14, 14));
        QVERIFY(white(2 * 72, 2 * 24) && white(16, 32) && white(31, 47));
        int lit = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 160; ++x)
                lit += white(x, y);
        QCOMPARE(lit, 4 * (1 + 1 + 64));
        QVERIFY(!previewFontBytes("FONT COLECO\rVISION : x\r\n")); // the first bytes as they stand

        // In the open dialog a single click shows it; another kind of file leaves it.
        QTemporaryDir dir;
        writeFile(dir.filePath("round.fcv"), text);
        writeFile(dir.filePath("other.fcv"), "NAME");
        ScriptedDialogs dialogs;
        auto dialog = makeFileDialog(FileDialogKind::OpenFCV, {}, dialogs, nullptr);
        auto* pane = dialog->findChild<FontPreviewPane*>();
        QVERIFY(pane);
        pane->showPreviewOf(dir.filePath("round.fcv"));
        pane->showPreviewOf(dir.filePath("other.fcv"));
        QCOMPARE(dialog->findChild<QLabel*>("Label1")->text(), QString("Preview: Round"));
        QCOMPARE(pane->m_previewPicture->pixmap().toImage().convertToFormat(QImage::Format_RGB32), p);
    }

    void fontsMenu()
    {
        QTemporaryDir dir;
        WindowHarness h;
        TileEditorWindow& window = h.window;
        ScriptedDialogs& dialogs = h.dialogs;
        TileDocument& doc = window.document();
        window.m_fontsMenu->findChild<QAction*>("font6")->trigger(); // one undo step: test_undo
        QCOMPARE(doc.charPatterns['A'], fontData[5]['A' - 33]);

        // Save: a title, then the file; closing the dialog without a choice writes nothing.
        const QString path = dir.filePath("six.fcv");
        h.choose(path);
        dialogs.textAnswers.enqueue(QString("Six"));
        window.onSaveFontTriggered();
        QCOMPARE(readFile(path), tile::fontFileBytes(doc, "Six"));
        const QByteArray saved = readFile(path);
        window.onFontTriggered(2);
        h.choose({});
        window.onSaveFontTriggered();
        QCOMPARE(readFile(path), saved);
        QCOMPARE(dialogs.unexpected, 0);

        // More Font reads it back, as work to save; closed without a choice it loads
        // nothing, not the font chosen before.
        window.onFontTriggered(1);
        h.choose(path);
        doc.modified = false;
        window.onLoadFontTriggered();
        QCOMPARE(doc.charPatterns['A'], fontData[5]['A' - 33]);
        QVERIFY(doc.modified);
        window.onFontTriggered(1);
        h.choose({});
        window.onLoadFontTriggered();
        QCOMPARE(doc.charPatterns['A'], fontData[0]['A' - 33]);

        // "&Print" shows the print dialog (its papers: printerForm).
        int forms = 0;
        window.setPrintFormRunner([&](PrinterForm&) { ++forms; });
        QVERIFY(window.m_printAction->isEnabled());
        window.onPrintTriggered();
        QCOMPARE(forms, 1);
    }

    void printerForm()
    {
        const TileDocument doc;
        ScriptedDialogs dialogs;
        PrinterForm form(sheetSourceOf(doc, tms::tileEditorPalette()), dialogs);
        QCOMPARE(form.m_paperSize->placeholderText(), QString("select papersize"));
        bool printerInstalled = false;
        QList<SheetPaper> printed;
        QString pdfPath;
        form.hasPrinter = [&] { return printerInstalled; };
        form.printOnPrinter = [&](SheetPaper paper) {
            printed << paper;
            return true;
        };
        form.choosePdfPath = [&] { return pdfPath; };

        // It starts ready to print: Letter (or the paper last used) and the table checked.
        QCOMPARE(form.m_paperSize->currentText(), QString("Letter"));
        QVERIFY(form.m_patternCheck->isChecked());
        PrinterForm again(sheetSourceOf(doc, tms::tileEditorPalette()), dialogs, nullptr, SheetPaper::B5);
        QCOMPARE(again.m_paperSize->currentText(), QString("B5"));
        form.m_patternCheck->setChecked(false); // nothing to print: said, never silent
        form.onPrintClicked();
        form.onPdfClicked();
        const QString nothing = "Nothing to print: check \"character pattern table\" to print the sheet.";
        QCOMPARE(dialogs.texts(), (QStringList{nothing, nothing}));
        QVERIFY(form.result() != QDialog::Accepted);
        dialogs.shown.clear();
        form.m_patternCheck->setChecked(true);
        form.m_paperSize->setCurrentIndex(1);
        form.onPrintClicked();
        QCOMPARE(dialogs.texts(),
                 QStringList{"No printer is installed. Use \"Save as PDF...\" to keep the sheet as a PDF file."});
        form.onPdfClicked(); // the file chooser closed without a choice: the form stays
        QCOMPARE(form.result(), int(QDialog::Rejected));

        QTemporaryDir dir;
        pdfPath = dir.filePath("sheet.pdf");
        form.onPdfClicked();
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(form.report(), QStringLiteral("Wrote sheet.pdf (%1 bytes)").arg(readFile(pdfPath).size()));
        const auto [pages, size] = pdfPages(readFile(pdfPath)); // the A4 chosen above
        QCOMPARE(pages, 4);
        QCOMPARE(size.toSize(), QSize(595, 842));
        printerInstalled = true;
        form.onPrintClicked();
        QCOMPARE(printed, QList<SheetPaper>{SheetPaper::A4});
        QCOMPARE(form.report(), QString("Printed the character sheet (4 pages, A4)"));
    }

    void batchOptions()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        const TileDocument doc = testdoc::randomDocument(9);
        writeFile("in.dat", projectFileBytes(doc));
        writeFile("digit.fcv", "FONT COLECOVISION : d\r\n30 : 01 02 03 04 05 06 07 08\r\n");
        ProgramRun run = kardo({"--export-font", "before.fcv", "--builtin-font", "3", "--font", "digit.fcv",
                                "--export-font", "after.fcv", "--title", "  Mine", "--print-pdf", "sheet.pdf",
                                "--paper", "B5", "--save", "out.dat", "in.dat"});
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(readFile("before.fcv"), tile::fontFileBytes(doc, "NONAME"));
        TileDocument expected = doc;
        applyFont(expected, 2);
        expected.charPatterns[0x30] = rowsOf("01 02 03 04 05 06 07 08");
        QCOMPARE(readFile("after.fcv"), tile::fontFileBytes(expected, "  Mine"));
        QCOMPARE(readFile("out.dat"), projectFileBytes(expected));
        const auto [pages, size] = pdfPages(readFile("sheet.pdf"));
        QCOMPARE(pages, 4);
        QCOMPARE(size.toSize(), QSize(516, 729));

        // A font file without the signature: nothing is written.
        writeFile("bad.fcv", "FONT COLECOVISION\r\n"); // the signature alone is a font file
        writeFile("worse.fcv", "FONT colecovision : x\r\n");
        run = kardo({"--export-font", "x.fcv", "--font", "bad.fcv", "--font", "worse.fcv", "--save", "y.dat"});
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains("Illegal FCV file") && run.err.contains("worse.fcv"), qPrintable(run.err));
        QVERIFY(!QFile::exists("x.fcv") && !QFile::exists("y.dat"));
        for (const QStringList& wrong : {QStringList{"--builtin-font", "7", "--save", "y.dat"},
                                         QStringList{"--print-pdf", "a.pdf", "--paper", "legal"},
                                         QStringList{"--title", "x", "--save", "y.dat"}, QStringList{"--font", ""}})
            QCOMPARE(kardo(wrong).status, 2);
        // kardo2 offers eight faces: its "Font #8" is kardo3's "Font #4", its "Font #7" a face of its own.
        QCOMPARE(kardo({"--builtin-font", "7", "--builtin-font", "8", "--save", "k2.dat"}, Edition::ScreenMode1).status,
                 0);
        TileDocument k2(Edition::ScreenMode1);
        applyFont(k2, 3);
        QCOMPARE(readFile("k2.dat"), projectFileBytes(k2));
        QCOMPARE(kardo({"--builtin-font", "9", "--save", "y.dat"}, Edition::ScreenMode1).status, 2);

        // The program itself prints without a display, on Letter by default. The same
        // document gives the same bytes, run after run (each process hashes with a seed
        // of its own), and SOURCE_DATE_EPOCH fixes the date stamped in.
        const QString program = QDir(QCoreApplication::applicationDirPath()).filePath("kardo3");
        qputenv("SOURCE_DATE_EPOCH", "1700000000");
        for (int run = 0; run < 6; ++run)
            QCOMPARE(runWithoutDisplay(program, {"--print-pdf", QString("run%1.pdf").arg(run)}, dir.path()).status, 0);
        qunsetenv("SOURCE_DATE_EPOCH");
        const QByteArray first = readFile("run0.pdf");
        QCOMPARE(pdfPages(first), std::pair(4, QSizeF(612, 792)));
        QVERIFY(first.contains("/CreationDate (D:20231114221320Z)"));
        for (int run = 1; run < 6; ++run)
            QVERIFY2(readFile(QString("run%1.pdf").arg(run)) == first, qPrintable(QString::number(run)));
    }
};

QTEST_MAIN(TestFonts)
#include "test_fonts_printing.moc"
