#include "project_file.h"
#include "test_files.h"
#include "random_document.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;
using testdoc::expectedProjectFile;

namespace {

ProjectLoad loadBytes(const QByteArray& bytes, TileDocument& doc)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return LoadProject(buffer, doc);
}

// A record of 81 bytes: the text padded with spaces to 79, then CR LF.
QByteArray record(const QByteArray& text) { return text.leftJustified(79, ' ') + "\r\n"; }

QByteArray sixteen(const char* value)
{
    QByteArrayList v;
    for (int i = 0; i < 16; ++i)
        v << value;
    return v.join(",");
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    void resetDocumentBytes()
    {
        const QByteArray bytes = projectFileBytes(TileDocument());
        QCOMPARE(bytes.size(), 35316);
        QCOMPARE(bytes.count("\r\n"), 436);
        QVERIFY(bytes.startsWith("NAME    DB      " + sixteen("$20") + "\r\n"));
        // 48 + 128 + 128 + 128 + 4 lines, every one 81 bytes.
        const QByteArrayList lines = bytes.split('\n');
        QCOMPARE(lines.size(), 437);
        for (int i = 0; i < 436; ++i)
            QCOMPARE(lines[i].size(), 80);
        QCOMPARE(lines[48], "PATTERN DB      " + sixteen("$00") + "\r");
        QCOMPARE(lines[176], "MCOLOR  DB      " + sixteen("$41") + "\r");
        QCOMPARE(lines[304], "SPATT   DB      " + sixteen("$00") + "\r");
        QCOMPARE(lines[432], "SCOLOR  DB      " + sixteen("$0F") + "\r");
        QCOMPARE(lines[435], "        DB      " + sixteen("$0F") + "\r");
        QCOMPARE(bytes, expectedProjectFile(TileDocument()));
    }

    void randomDocumentBytes()
    {
        for (quint32 seed : {1u, 2u, 99u}) {
            const TileDocument doc = testdoc::randomDocument(seed);
            QCOMPARE(projectFileBytes(doc), expectedProjectFile(doc));
        }
    }

    void roundTripIsByteIdentical()
    {
        const QByteArray original = expectedProjectFile(testdoc::randomDocument(7));
        TileDocument doc;
        doc.modified = true;
        const ProjectLoad load = loadBytes(original, doc);
        QVERIFY(load.ok());
        QCOMPARE(load.valuesStored, 768 + 2048 * 3 + 64);
        QVERIFY(!doc.modified);
        QVERIFY(doc.sameTablesAs(testdoc::randomDocument(7)));
        QCOMPARE(projectFileBytes(doc), original);
    }

    void fileRoundTripThroughDisk()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("level.dat");
        const TileDocument doc = testdoc::randomDocument(11);
        QVERIFY(writeProjectFile(path, doc).ok);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), expectedProjectFile(doc));
        TileDocument loaded;
        QVERIFY(loadProjectFile(path, loaded).ok());
        QVERIFY(loaded.sameTablesAs(doc));
    }

    void spriteColourAbove15IsKeptAsRead()
    {
        TileDocument doc;
        doc.spriteColors[5] = 0xF3;
        TileDocument loaded;
        QVERIFY(loadBytes(projectFileBytes(doc), loaded).ok());
        QCOMPARE(int(loaded.spriteColors[5]), 0xF3);
        QVERIFY(projectFileBytes(loaded).contains("$0F,$F3,$0F"));
    }

    void lowerCaseDigitsAndLenientDigits()
    {
        QByteArray text = expectedProjectFile(TileDocument());
        text.replace(16, 3, "$ff"); // first name cell
        text.replace(20, 3, "$ab"); // second one
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok());
        QCOMPARE(int(doc.nameTable[0][0]), 0xFF);
        QCOMPARE(int(doc.nameTable[1][0]), 0xAB);

        // A one-digit value takes the comma for its second digit, which counts 0.
        QByteArray oneDigit = text;
        oneDigit.replace(16, 3, "$5,");
        oneDigit.remove(19, 1); // keep the record at 81 bytes: "$5,$ab..."
        oneDigit.insert(78, ' ');
        TileDocument d2;
        QVERIFY(loadBytes(oneDigit, d2).ok());
        QCOMPARE(int(d2.nameTable[0][0]), 0x50);
    }

    void valuesRunOverLinesWhateverTheirCount()
    {
        // One value per record: the section counters run over the values as they come.
        QByteArray text;
        const TileDocument source = testdoc::randomDocument(3);
        const QByteArray full = expectedProjectFile(source);
        int values = 0;
        for (qsizetype at = full.indexOf('$'); at >= 0; at = full.indexOf('$', at + 1)) {
            text += record((values == 0 ? "NAME    DB      " : "        DB      ") + full.mid(at, 3));
            ++values;
        }
        QCOMPARE(values, 768 + 3 * 2048 + 64);
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok());
        QVERIFY(doc.sameTablesAs(source));
    }

    void modeOneColourSection()
    {
        const TileDocument source = testdoc::randomDocument(5);
        std::vector<int> groups(32);
        for (int k = 0; k < 32; ++k)
            groups[std::size_t(k)] = (k * 37 + 3) & 0xFF;
        const QByteArray text = testdoc::projectSection("NAME    DB      ", testdoc::names(source))
            + testdoc::projectSection("PATTERN DB      ", testdoc::patterns(source))
            + testdoc::projectSection("COLOR   DB      ", groups)
            + testdoc::projectSection("SPATT   DB      ", testdoc::sprites(source))
            + testdoc::projectSection("SCOLOR  DB      ", testdoc::spriteColors(source));
        QCOMPARE(text.size(), 25110);
        TileDocument doc;
        const ProjectLoad load = loadBytes(text, doc);
        QVERIFY(load.ok());
        QVERIFY(load.modeOneColors);
        for (int c = 0; c < 256; ++c)
            for (int r = 0; r < 8; ++r)
                QCOMPARE(int(doc.charColors[c][r]), groups[std::size_t(c / 8)]);
        QVERIFY(doc.nameTable == source.nameTable);
        QVERIFY(doc.charPatterns == source.charPatterns);
        QVERIFY(doc.spritePatterns == source.spritePatterns);
        QVERIFY(doc.spriteColors == source.spriteColors);
    }

    void readRecordTrimsSpacesThenLineEnds()
    {
        QCOMPARE(ReadRecord81("  NAME DB $20  \r\n"), QByteArray("NAME DB $20  "));
        QCOMPARE(ReadRecord81("   $20,$21\r\n\r"), QByteArray("$20,$21"));
        QCOMPARE(ReadRecord81("       "), QByteArray());
    }

    void emptyAndValuelessFilesAreRefused()
    {
        const TileDocument before = testdoc::randomDocument(9);
        TileDocument doc = before;
        doc.modified = true;
        QCOMPARE(loadBytes({}, doc).outcome, ProjectLoad::Outcome::Refused);
        QCOMPARE(loadBytes(record("NAME    DB      no values") + record("nothing"), doc).outcome,
                 ProjectLoad::Outcome::Refused);
        QVERIFY(doc.sameTablesAs(before));
        QVERIFY(doc.modified); // a refused load changes nothing
    }

    void otherLineLengthsAndBinaryAreRefused()
    {
        const TileDocument before = testdoc::randomDocument(9);
        QByteArray lfOnly = expectedProjectFile(TileDocument());
        lfOnly.replace("\r\n", "\n");
        QByteArray longer = expectedProjectFile(TileDocument());
        longer.replace("\r\n", " \r\n");
        QRandomGenerator random(1);
        QByteArray binary(5000, 0);
        for (char& c : binary)
            c = char(random.bounded(256));
        binary.replace(0, 4, "NAME");
        for (const QByteArray& bad : {lfOnly, longer, binary}) {
            TileDocument doc = before;
            const ProjectLoad load = loadBytes(bad, doc);
            QCOMPARE(load.outcome, ProjectLoad::Outcome::Refused);
            QVERIFY(load.message.contains("81 bytes"));
            QVERIFY(doc.sameTablesAs(before));
        }
    }

    void truncatedMidRecordKeepsCompleteRecords()
    {
        const TileDocument source = testdoc::randomDocument(21);
        const TileDocument before = testdoc::randomDocument(22);
        const QByteArray full = expectedProjectFile(source);
        // Cut inside line 100 (a pattern line): 99 whole lines and 40 bytes.
        TileDocument doc = before;
        const ProjectLoad load = loadBytes(full.left(81 * 99 + 40), doc);
        QCOMPARE(load.outcome, ProjectLoad::Outcome::Incomplete);
        QVERIFY(load.message.contains("character patterns"));
        QCOMPARE(load.valuesStored, 99 * 16);
        QVERIFY(doc.nameTable == source.nameTable);
        // Lines 49..99 bring characters 0..101; the cut line (102, 103) is not read.
        for (int c = 0; c < 256; ++c)
            QVERIFY(doc.charPatterns[c] == (c < 102 ? source.charPatterns[c] : before.charPatterns[c]));
        QVERIFY(doc.charColors == before.charColors);
        QVERIFY(doc.spriteColors == before.spriteColors);
        QVERIFY(!doc.modified);
    }

    void missingFinalLineEndStillLoadsWhole()
    {
        const TileDocument source = testdoc::randomDocument(23);
        QByteArray text = expectedProjectFile(source);
        text.chop(2);
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok());
        QVERIFY(doc.sameTablesAs(source));
        text.chop(1); // now a value is cut: the record is skipped
        TileDocument cut;
        QCOMPARE(loadBytes(text, cut).outcome, ProjectLoad::Outcome::Incomplete);
        QCOMPARE(int(cut.spriteColors[48]), int(TileDocument().spriteColors[48]));
        QCOMPARE(int(cut.spriteColors[47]), int(source.spriteColors[47]));
    }

    void extraLinesAfterSpriteColoursAreIgnored()
    {
        const TileDocument source = testdoc::randomDocument(24);
        const QByteArray text = expectedProjectFile(source) + record("JUNK    DB      $01,$02") + "tail";
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok());
        QVERIFY(doc.sameTablesAs(source));
    }

    void fileChecksAndHugeFiles()
    {
        QTemporaryDir dir;
        TileDocument doc;
        const QString empty = dir.filePath("empty.dat");
        writeFile(empty, {});
        QVERIFY(loadProjectFile(empty, doc).message.contains("empty"));
        const QString spaces = dir.filePath("spaces.dat");
        writeFile(spaces, "  " + expectedProjectFile(TileDocument()));
        QVERIFY(loadProjectFile(spaces, doc).message.contains("NAME"));
        QCOMPARE(loadProjectFile(dir.filePath("missing.dat"), doc).outcome, ProjectLoad::Outcome::Refused);
        QCOMPARE(loadProjectFile(dir.path(), doc).outcome, ProjectLoad::Outcome::Refused);

        // Hundreds of megabytes, made sparse: a project followed by a huge tail loads at
        // once, reading stops after the sprite colours; a huge file of zeros behind
        // "NAME" is refused at its first line.
        const TileDocument source = testdoc::randomDocument(31);
        const QString bigProject = dir.filePath("big.dat");
        writeFile(bigProject, expectedProjectFile(source));
        const QString bigZeros = dir.filePath("zeros.dat");
        writeFile(bigZeros, "NAME");
        for (const QString& path : {bigProject, bigZeros}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(qint64(400) * 1024 * 1024));
        }
        QElapsedTimer timer;
        timer.start();
        TileDocument loaded;
        QVERIFY(loadProjectFile(bigProject, loaded).ok());
        QVERIFY(loaded.sameTablesAs(source));
        QCOMPARE(loadProjectFile(bigZeros, loaded).outcome, ProjectLoad::Outcome::Refused);
        QVERIFY(timer.elapsed() < 2000);
    }

    void failedWriteLeavesOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("taken.dat")); // a folder where the file would go
        QVERIFY(!writeProjectFile(dir.filePath("taken.dat"), TileDocument()).ok);
        QVERIFY(QFileInfo(dir.filePath("taken.dat")).isDir());
        QVERIFY(!writeProjectFile(dir.filePath("no/such/folder/x.dat"), TileDocument()).ok);
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
