#include "project_file.h"
#include "random_document.h"
#include "test_files.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

ProjectLoad loadBytes(const QByteArray& bytes, TileDocument& doc)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    return loadProject(buffer, doc);
}

// A device whose reads fail after its first goodBytes bytes, as a failing disk does.
class FailingDevice final : public QBuffer {
public:
    FailingDevice(QByteArray* data, qint64 goodBytes) : QBuffer(data), m_goodBytes(goodBytes) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (pos() >= m_goodBytes) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        return QBuffer::readData(data, std::min(maxSize, m_goodBytes - pos()));
    }

private:
    qint64 m_goodBytes;
};

// A record of 81 bytes: the text padded with spaces to 79, then CR LF.
QByteArray record(const QByteArray& text)
{
    return text.leftJustified(79, ' ') + "\r\n";
}

// The colour section: 128 lines of row colours, or 2 lines of group colours.
void editionRows()
{
    QTest::addColumn<int>("edition");
    QTest::addColumn<int>("colorLines");
    QTest::newRow("kardo3") << int(Edition::ScreenMode2) << 128;
    QTest::newRow("kardo2") << int(Edition::ScreenMode1) << 2;
}

} // namespace

class TestProjectFile : public QObject {
    Q_OBJECT
private slots:
    // Random documents hold sprite colours above 15 too, as a file can bring. Seed 7
    // is kept in tests/data, written once value by value apart from the writer: the
    // records, their labels and their order. (The reset values: test_tile_model.)
    void randomDocumentsWriteAndLoadBack_data() { editionRows(); }
    void randomDocumentsWriteAndLoadBack()
    {
        QFETCH(int, edition);
        QFETCH(int, colorLines);
        const bool modeOne = Edition(edition) == Edition::ScreenMode1;
        QCOMPARE(projectFileBytes(testdoc::randomDocument(7, true, Edition(edition))),
                 readFile(QStringLiteral(TESTS_DATA_DIR "/project_mode%1.dat").arg(modeOne ? 1 : 2)));
        QTemporaryDir dir;
        for (quint32 seed : {1u, 2u}) {
            const TileDocument source = testdoc::randomDocument(seed, true, Edition(edition));
            const QByteArray expected = projectFileBytes(source);
            TileDocument doc{Edition(edition)};
            doc.modified = true;
            const ProjectLoad load = loadBytes(expected, doc);
            QVERIFY(load.ok() && !doc.modified && doc.sameTablesAs(source));
            QCOMPARE(load.valuesStored, 768 + 2048 * 2 + 16 * colorLines + 64);
            const QString path = dir.filePath("level.dat"); // and through the disk
            QVERIFY(writeProjectFile(path, source).ok);
            QCOMPARE(readFile(path), expected);
        }
    }

    void lowerCaseDigitsAndLenientDigits()
    {
        QByteArray text = projectFileBytes(TileDocument());
        text.replace(16, 3, "$ff"); // first name cell
        text.replace(20, 3, "$ab"); // second one
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok() && doc.nameTable[0][0] == 0xFF && doc.nameTable[1][0] == 0xAB);

        // A one-digit value takes the comma for its second digit, which counts 0.
        QByteArray oneDigit = text;
        oneDigit.replace(16, 3, "$5,");
        oneDigit.remove(19, 1); // keep the record at 81 bytes: "$5,$ab..."
        oneDigit.insert(78, ' ');
        QVERIFY(loadBytes(oneDigit, doc).ok() && doc.nameTable[0][0] == 0x50);
    }

    void valuesRunOverLinesWhateverTheirCount()
    {
        // One value per record: the section counters run over the values as they come.
        QByteArray text;
        const TileDocument source = testdoc::randomDocument(3);
        const QByteArray full = projectFileBytes(source);
        int values = 0;
        for (qsizetype at = full.indexOf('$'); at >= 0; at = full.indexOf('$', at + 1)) {
            text += record((values == 0 ? "NAME    DB      " : "        DB      ") + full.mid(at, 3));
            ++values;
        }
        QCOMPARE(values, 768 + 3 * 2048 + 64);
        TileDocument doc;
        QVERIFY(loadBytes(text, doc).ok() && doc.sameTablesAs(source));
    }

    void modeOneColourSection()
    {
        const TileDocument source = testdoc::randomDocument(5, true, Edition::ScreenMode1);
        TileDocument doc;
        const ProjectLoad load = loadBytes(projectFileBytes(source), doc);
        QVERIFY(load.ok() && load.modeOneColors);
        for (int c = 0; c < 256; ++c)
            for (int r = 0; r < 8; ++r)
                QCOMPARE(int(doc.charColors[c][r]), int(source.groupColors[c / 8]));
        QVERIFY(doc.nameTable == source.nameTable && doc.charPatterns == source.charPatterns);
        QVERIFY(doc.spritePatterns == source.spritePatterns && doc.spriteColors == source.spriteColors);
    }

    void truncatedMidRecordKeepsCompleteRecords()
    {
        const TileDocument source = testdoc::randomDocument(21);
        const TileDocument before = testdoc::randomDocument(22);
        const QByteArray full = projectFileBytes(source);
        // Cut inside line 100 (a pattern line): 99 whole lines and 40 bytes.
        TileDocument doc = before;
        const ProjectLoad load = loadBytes(full.left(81 * 99 + 40), doc);
        QCOMPARE(load.outcome, ProjectLoad::Outcome::Incomplete);
        QVERIFY(load.message.contains("character patterns"));
        QCOMPARE(load.valuesStored, 99 * 16);
        // Lines 49..99 bring characters 0..101; the cut line (102, 103) is not read.
        for (int c = 0; c < 256; ++c)
            QVERIFY(doc.charPatterns[c] == (c < 102 ? source.charPatterns[c] : before.charPatterns[c]));
        QVERIFY(doc.nameTable == source.nameTable && doc.charColors == before.charColors);
        QVERIFY(doc.spriteColors == before.spriteColors && !doc.modified);

        // A read error at the same place is no file cut short: it is told, and nothing loads.
        QByteArray data = full;
        FailingDevice failing(&data, 81 * 99 + 40);
        QVERIFY(failing.open(QIODevice::ReadOnly));
        TileDocument untouched = before;
        const ProjectLoad failed = loadProject(failing, untouched, "cut.dat");
        QCOMPARE(failed.outcome, ProjectLoad::Outcome::Refused);
        QCOMPARE(failed.message, QString("Cannot read \"cut.dat\": Input/output error"));
        QVERIFY(untouched.sameTablesAs(before));
    }

    void endOfTheText()
    {
        const TileDocument source = testdoc::randomDocument(23);
        QByteArray text = projectFileBytes(source);
        TileDocument doc; // extra lines after the sprite colours are ignored
        QVERIFY(loadBytes(text + record("JUNK    DB      $01,$02") + "tail", doc).ok() && doc.sameTablesAs(source));
        text.chop(2);
        TileDocument doc2;
        QVERIFY(loadBytes(text, doc2).ok() && doc2.sameTablesAs(source));
        text.chop(1); // now a value is cut: the record is skipped
        TileDocument cut;
        QCOMPARE(loadBytes(text, cut).outcome, ProjectLoad::Outcome::Incomplete);
        QCOMPARE(int(cut.spriteColors[48]), 15);
        QCOMPARE(int(cut.spriteColors[47]), int(source.spriteColors[47]));
    }

    void fileChecksAndHugeFiles()
    {
        QTemporaryDir dir;
        TileDocument doc;
        writeFile(dir.filePath("spaces.dat"), "  " + projectFileBytes(TileDocument()));
        QVERIFY(loadProjectFile(dir.filePath("spaces.dat"), doc).message.contains("NAME"));
        QCOMPARE(loadProjectFile(dir.path(), doc).outcome, ProjectLoad::Outcome::Refused); // a folder

        // Hundreds of megabytes, made sparse: a project followed by a huge tail loads
        // (its speed is measured in bench/); a huge file of zeros behind "NAME" is
        // refused at its first line.
        const TileDocument source = testdoc::randomDocument(31);
        const QString bigProject = dir.filePath("big.dat"), bigZeros = dir.filePath("zeros.dat");
        writeFile(bigProject, projectFileBytes(source));
        writeFile(bigZeros, "NAME");
        for (const QString& path : {bigProject, bigZeros}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(qint64(400) * 1024 * 1024));
        }
        TileDocument loaded;
        QVERIFY(loadProjectFile(bigProject, loaded).ok() && loaded.sameTablesAs(source));
        QCOMPARE(loadProjectFile(bigZeros, loaded).outcome, ProjectLoad::Outcome::Refused);
    }
};

QTEST_GUILESS_MAIN(TestProjectFile)
#include "test_project_file.moc"
