// The picture options of the batch command line: a picture imported with dither's
// options and written back as PNG, the sheets in both directions, and bad input (a
// sheet of the wrong size, a file that does not decode, a wrong option value): a
// message, the status, and no file written.
#include "image_bytes.h"
#include "kardo_run.h"
#include "picture_tiles.h"
#include "project_file.h"
#include "test_files.h"
#include "tile_sheets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

QImage gradient()
{
    QImage image(300, 200, QImage::Format_RGB32);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 300; ++x)
            image.setPixel(x, y, qRgb(x * 255 / 300, y * 255 / 200, (x + y) % 256));
    return image;
}

} // namespace

class TestPictureBatch : public QObject {
    Q_OBJECT
private slots:
    void pictureOptionsAsDitherTakesThem_data() { editionRows(); }
    void pictureOptionsAsDitherTakesThem()
    {
        QFETCH(int, edition);
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QVERIFY(gradient().save("photo.jpg"));
        // Options before --import-picture are its own.
        const ProgramRun run =
            kardo({"--method",         "ordered-17", "--colors",         "1,4,6,11,15", "--resize",    "stretch",
                   "--gamma",          "120",        "--brightness",     "-10",         "--diffusion", "50",
                   "--import-picture", "photo.jpg",  "--save",           "out.dat",     "--png",       "screen.png",
                   "--export-tileset", "tiles.png",  "--export-sprites", "sprites.png"},
                  Edition(edition));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.status, 0);
        dither::PictureImportSettings settings;
        settings.method = dither::Method::Ordered17;
        settings.colours = {true,  false, false, true,  false, true,  false, false,
                            false, false, true,  false, false, false, true};
        settings.resize = dither::ResizeMode::Stretch;
        settings.gamma = 120;
        settings.brightness = -10;
        settings.diffusion = 50;
        TileDocument expected{Edition(edition)};
        applyTiles(expected, pictureToTiles(QImage("photo.jpg"), settings, Edition(edition))->tiles);
        QCOMPARE(readFile("out.dat"), projectFileBytes(expected));
        QCOMPARE(readFile("screen.png"), *tms::encodeImage(screenPicture(expected), "PNG"));
        QCOMPARE(readFile("tiles.png"), *tms::encodeImage(tilesetPicture(expected), "PNG"));
        QCOMPARE(readFile("sprites.png"), *tms::encodeImage(spriteSheetPicture(expected), "PNG"));

        // The sheets read back give the same characters and sprites.
        QCOMPARE(
            kardo({"--import-tileset", "tiles.png", "--import-sprites", "sprites.png", "--export-tileset", "again.png"},
                  Edition(edition))
                .status,
            0);
        QCOMPARE(QImage("again.png"), QImage("tiles.png"));
    }

    void badInputWritesNothing()
    {
        QTemporaryDir dir;
        QDir::setCurrent(dir.path());
        QVERIFY(QImage(100, 64, QImage::Format_RGB32).save("wrong.png"));
        writeFile("junk.png", "\x89PNG but nothing more");
        struct Case {
            QStringList arguments;
            int status;
            QString message;
        };
        const QList<Case> cases = {
            {{"--import-tileset", "wrong.png", "--save", "out.dat"}, 1, "100x64"},
            {{"--import-sprites", "wrong.png", "--save", "out.dat"}, 1, "128x128"},
            {{"--import-picture", "junk.png", "--save", "out.dat"}, 1, "junk.png"},
            {{"--import-tileset", "missing.png", "--save", "out.dat"}, 1, "missing.png"},
            {{"--import-picture", "junk.png", "--colors", "3", "--save", "out.dat"}, 1, "junk.png"},
            {{"--colors", "1,4", "--save", "out.dat"}, 2, "belong to an --import-picture"},
            {{"--linear-light", "--save", "out.dat"}, 2, "belong to an --import-picture"},
            {{"--png", "", "--save", "out.dat"}, 2, "file name is empty"},
        };
        // (The conversion options' own checks and "Select more colors" are dither's, in its batch test.)
        for (const Case& c : cases) {
            const ProgramRun run = kardo(c.arguments);
            QCOMPARE(run.status, c.status);
            QVERIFY2(run.err.contains(c.message), qPrintable(run.err));
            QVERIFY(!QFile::exists("out.dat"));
        }
    }
};

QTEST_GUILESS_MAIN(TestPictureBatch)
#include "test_picture_batch.moc"
