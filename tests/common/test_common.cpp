#include "atomic_file.h"
#include "batch_outputs.h"
#include "powerpaint.h"

#include "test_files.h"
#include "write_failures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <optional>
#include <random>
#include <sys/stat.h>

using namespace tms;

class TestCommon : public QObject {
    Q_OBJECT
private slots:
    // Every way a write can fail leaves the old file byte for byte and no temporary
    // file, and says why. The new content (10000 bytes) is below the toolkit's buffer
    // size, where a failure used to show only at the commit, which went ahead anyway.
    void wholeFileWrite_data()
    {
        QTest::addColumn<QString>("target");  // below the test folder
        QTest::addColumn<QString>("failure"); // empty: the write succeeds
        QTest::newRow("shorter content replaces a file whole") << "old.bin"
                                                               << "";
        QTest::newRow("missing folder") << "no/such/folder/x.bin"
                                        << "No such file or directory";
        QTest::newRow("folder") << "folder"
                                << "it is a folder, not a regular file";
        QTest::newRow("named pipe") << "pipe"
                                    << "it is a named pipe, not a regular file";
        QTest::newRow("file size limit") << "old.bin"
                                         << "File too large";
        QTest::newRow("full file system") << "full/old.bin"
                                          << "disk full";
    }

    void wholeFileWrite()
    {
        QFETCH(QString, target);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        const QByteArray old(12000, 'o'), fresh(10000, 'n');
        writeFile(dir.filePath("old.bin"), old);
        QVERIFY(QDir(dir.path()).mkdir("folder"));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
        std::optional<write_failures::FileSizeLimit> limit;
        std::optional<write_failures::FullFileSystem> full;
        if (QTest::currentDataTag() == QLatin1String("file size limit"))
            limit.emplace(4096);
        if (target.startsWith("full/")) {
            full.emplace(dir.filePath("full"));
            if (!full->mounted())
                QSKIP("mounting a small file system needs root");
            writeFile(path, old);
            full->fill();
        }
        const QStringList before = QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::System);

        const FileResult result = writeWholeFile(path, fresh);
        limit.reset();
        if (failure.isEmpty()) {
            QVERIFY2(result.ok, qPrintable(result.error));
            QCOMPARE(readFile(path), fresh);
            return;
        }
        QVERIFY(!result.ok);
        QCOMPARE(result.error, QString("Cannot write \"%1\": %2").arg(path, failure));
        if (QFileInfo(path).isFile())
            QCOMPARE(readFile(path), old);
        QCOMPARE(readFile(dir.filePath("old.bin")), old);
        QVERIFY(QFileInfo(dir.filePath("folder")).isDir());
        QCOMPARE(QFileInfo(dir.filePath("pipe")).isFile(), false);
        QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::AllEntries | QDir::System), before); // nothing left over
    }

    void boundedRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("maxBytes");
        QTest::addColumn<QString>("failure"); // empty: the read succeeds
        QTest::newRow("at the limit") << "ten.bin" << qint64(10) << "";
        // A generous limit reserves nothing: only the file's own size is allocated (a read
        // with a 256 MB limit aborted under an address-space limit).
        QTest::newRow("a terabyte's limit") << "ten.bin" << (qint64(1) << 40) << "";
        QTest::newRow("too large") << "ten.bin" << qint64(9) << "the file is too large (10 bytes)";
        QTest::newRow("missing") << "missing" << qint64(10) << "No such file or directory";
        QTest::newRow("folder") << "." << qint64(10) << "it is a folder, not a regular file";
        QTest::newRow("named pipe, which would never end")
            << "pipe" << qint64(10) << "it is a named pipe, not a regular file";
    }

    void boundedRead()
    {
        QFETCH(QString, name);
        QFETCH(qint64, maxBytes);
        QFETCH(QString, failure);
        QTemporaryDir dir;
        writeFile(dir.filePath("ten.bin"), QByteArray(10, 'y'));
        QVERIFY(mkfifo(QFile::encodeName(dir.filePath("pipe")).constData(), 0600) == 0);
        const QString path = QDir::cleanPath(dir.filePath(name));
        QString error;
        const std::optional<QByteArray> whole = readWholeFile(path, maxBytes, &error);
        const std::optional<QByteArray> start = readFileStart(path, 4);
        QCOMPARE(whole.value_or("refused"), failure.isEmpty() ? QByteArray(10, 'y') : QByteArray("refused"));
        if (!failure.isEmpty())
            QCOMPARE(error, QString("Cannot read \"%1\": %2").arg(path, failure));
        QCOMPARE(start.value_or("refused"), // the start of a long file is fine
                 failure.isEmpty() || maxBytes == 9 ? QByteArray(4, 'y') : QByteArray("refused"));
    }

    // A sync or close that fails after the data was written (a failing disk, a quota, a
    // network file system losing a write) fails the save: the old file stays and the
    // batch replaces nothing. The failure is injected through the writer's sync seam.
    void failedSyncIsAFailure_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("EIO") << EIO << QString::fromLocal8Bit(std::strerror(EIO));
        QTest::newRow("ENOSPC") << ENOSPC << "disk full";
        QTest::newRow("EDQUOT") << EDQUOT << QString::fromLocal8Bit(std::strerror(EDQUOT));
    }

    void failedSyncIsAFailure()
    {
        QFETCH(int, error);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString a = dir.filePath("a.bin"), b = dir.filePath("b.bin");
        writeFile(a, "old a");
        static int injected = 0;
        static int calls = 0;
        injected = error;
        calls = 0;
        const DeviceSync real = replaceDeviceSync([](int descriptor) {
            ++calls;
            return descriptor >= 0 ? injected : EBADF;
        });
        const FileResult single = writeWholeFile(a, "new a");
        const FileResult both = batch::commitAll({{b, "new b"}, {a, "new a"}});
        replaceDeviceSync(real);
        QCOMPARE(calls, 2); // the batch stops at the first output
        QVERIFY(!single.ok && !both.ok);
        QCOMPARE(single.error, QString("Cannot write \"%1\": %2").arg(a, reason));
        QCOMPARE(both.error, QString("Cannot write \"%1\": %2").arg(b, reason));
        QCOMPARE(readFile(a), QByteArray("old a"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"a.bin"});
    }

    // A replacement that fails after others succeeded: those get their old bytes back,
    // and a file that did not exist before is removed.
    void batchOutputsAreRestoredWhenOneReplacementFails()
    {
        QTemporaryDir dir;
        const QString a = dir.filePath("a.out"), b = dir.filePath("b.out"), c = dir.filePath("c.out");
        writeFile(a, "old a");
        writeFile(c, "old c");
        batch::OutputSet set;
        QVERIFY(set.prepare({{a, "new a"}, {b, "new b"}, {c, "new c"}}));
        QCOMPARE(readFile(a), QByteArray("old a"));                   // prepared, not yet replaced
        QVERIFY(QFile::remove(c) && QDir(dir.path()).mkdir("c.out")); // the last replacement will fail
        const FileResult result = set.replaceAll();
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(QString("Cannot write \"%1\"").arg(c)), qPrintable(result.error));
        QCOMPARE(readFile(a), QByteArray("old a"));
        QVERIFY(!QFile::exists(b));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.out"});

        QVERIFY(batch::commitAll({{a, "new a"}, {b, "new b"}, {a, "newer a"}}));
        QCOMPARE(readFile(a), QByteArray("newer a"));
        QCOMPARE(readFile(b), QByteArray("new b"));

        // The last output's old content is never read: a file one may only write is replaced.
        QVERIFY(QFile::setPermissions(b, QFileDevice::WriteOwner) // and anyone may write the folder
                && QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777)));
        const write_failures::WithoutRootRights unprivileged;
        QVERIFY2(batch::commitAll({{a, "a again"}, {b, "b again"}}), "a write-only last output");
    }

    // The one test of the PowerPaint layout: 5120-byte blocks of twenty 256-byte rows,
    // 16 unused bytes then 8 bytes per column of the block's screen area. 10K: patterns
    // then colours of columns 0..29, rows 0..19. 40K: four quadrants, colours first.
    void powerPaintLayouts_data()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("10K") << false;
        QTest::newRow("40K") << true;
    }

    void powerPaintLayouts()
    {
        QFETCH(bool, full);
        std::mt19937 random(full ? 3 : 4);
        BitmapTable patterns{}, colors{};
        for (int i = 0; i < 6144; ++i)
            std::tie(patterns[i], colors[i]) = std::pair(std::uint8_t(random()), std::uint8_t(random()));
        struct Area {
            int row, rows, column, columns;
        };
        const Area quadrants[] = {{0, 20, 0, 30}, {0, 20, 30, 2}, {20, 4, 0, 30}, {20, 4, 30, 2}};
        QByteArray expected, noisy;               // noisy: 0x5A in every byte the layout leaves unused
        BitmapTable loadedPatterns, loadedColors; // what a decode over 0xAA and 0x55 must give
        loadedPatterns.fill(0xAA);
        loadedColors.fill(0x55);
        for (int q = 0; q < (full ? 4 : 1); ++q)
            for (bool colourBlock : {full, !full}) {
                const Area& a = quadrants[q];
                QByteArray block(5120, '\0'), noisyBlock(5120, '\x5A');
                for (int r = 0; r < a.rows; ++r)
                    for (int c = 0; c < a.columns; ++c)
                        for (int line = 0; line < 8; ++line) {
                            const int index = (a.row + r) * 256 + (a.column + c) * 8 + line;
                            const BitmapTable& source = colourBlock ? colors : patterns;
                            block[r * 256 + 16 + c * 8 + line] = noisyBlock[r * 256 + 16 + c * 8 + line] =
                                char(source[index]);
                            (colourBlock ? loadedColors : loadedPatterns)[index] = source[index];
                        }
                expected += block;
                noisy += noisyBlock;
            }
        QCOMPARE(powerpaint::encode(patterns, colors, full), expected);

        // Decoding ignores the unused bytes and keeps what a 10K file does not hold.
        BitmapTable p2, c2;
        p2.fill(0xAA);
        c2.fill(0x55);
        bool fullScreen = !full;
        QVERIFY(powerpaint::decode(noisy, p2, c2, &fullScreen));
        QCOMPARE(fullScreen, full);
        QVERIFY(p2 == loadedPatterns);
        QVERIFY(c2 == loadedColors);
        // Files of other sizes are refused: the malformed corpus (test_easel_batch).
    }
};

QTEST_GUILESS_MAIN(TestCommon)
#include "test_common.moc"
