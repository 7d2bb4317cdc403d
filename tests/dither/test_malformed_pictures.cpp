// Every malformed picture of the corpus: refused with a message that names it, and the
// batch run writes nothing. Plus the BMP size check on header fields too large to
// multiply in 64 bits.

#include "batch_command.h"
#include "malformed_inputs.h"
#include "picture_file.h"

#include <QTemporaryDir>
#include <QtEndian>

using namespace dither;

class TestMalformedPictures : public QObject {
    Q_OBJECT
private slots:
    void refused_data() { addMalformedRows(QStringLiteral("dither")); }

    void refused()
    {
        QFETCH(QString, path);
        QString error;
        QVERIFY(!readPicture(path, &error));
        QVERIFY2(error.startsWith(QStringLiteral("Cannot read picture \"%1\": ").arg(path)), qPrintable(error));

        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("dither"));
        QCOMPARE(runBatch({"dither", "--pp", out.filePath("out.pp"), "--bmp", out.filePath("out.bmp"), path}, console), 1);
        QCOMPARE(console.err, QStringLiteral("dither: %1\n").arg(error));
        QVERIFY(folderIsEmpty(out.path()));
    }

    void bmpHeaderBeyondAnyFile()
    {
        // 2^31 - 1 pixels square at 32 bits: some 1.8e19 bytes of pixels.
        QByteArray head(54, '\0');
        head[0] = 'B';
        head[1] = 'M';
        qToLittleEndian<quint32>(54, head.data() + 10);
        qToLittleEndian<quint32>(40, head.data() + 14);
        qToLittleEndian<quint32>(0x7FFFFFFF, head.data() + 18);
        qToLittleEndian<quint32>(0x7FFFFFFF, head.data() + 22);
        qToLittleEndian<quint16>(32, head.data() + 28);
        QVERIFY(isCutShort("bmp", head, 0, 1000));
        QVERIFY(isCutShort("bmp", head, 0, std::numeric_limits<qint64>::max()));
        qToLittleEndian<quint32>(0xFFFFFFFF, head.data() + 10); // pixels placed at 4 GB
        qToLittleEndian<quint32>(1, head.data() + 18);
        qToLittleEndian<quint32>(1, head.data() + 22);
        QVERIFY(isCutShort("bmp", head, 0, 0xFFFFFFFFLL + 3));
        QVERIFY(!isCutShort("bmp", head, 0, 0xFFFFFFFFLL + 4));
    }
};

QTEST_GUILESS_MAIN(TestMalformedPictures)
#include "test_malformed_pictures.moc"
