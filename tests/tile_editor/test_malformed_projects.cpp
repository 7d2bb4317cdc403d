// Every malformed project and font file of the corpus: the batch run fails with a
// message that names the file and writes nothing; the loader leaves the document alone
// unless the file supplied values (a project cut short keeps what it holds, and says
// what it lacks).

#include "batch_command_line.h"
#include "font_file.h"
#include "malformed_inputs.h"
#include "project_file.h"

#include <QTemporaryDir>

using namespace tile;

class TestMalformedProjects : public QObject {
    Q_OBJECT
private slots:
    void refused_data() { addMalformedRows(QStringLiteral("kardo3")); }

    void refused()
    {
        QFETCH(QString, path);
        TileDocument doc;
        doc.charPatterns[65].fill(0x5A);
        doc.modified = true;
        const TileDocument before = doc;
        const bool font = path.endsWith(QStringLiteral(".fcv"));
        if (font) {
            const FontLoad load = LoadFontFile(path, doc);
            QVERIFY(!load.ok && !load.message.isEmpty());
            QVERIFY(doc.sameTablesAs(before) && doc.modified);
        } else {
            const ProjectLoad load = loadProjectFile(path, doc);
            QVERIFY(!load.ok());
            QVERIFY(!load.message.isEmpty());
            if (load.outcome == ProjectLoad::Outcome::Refused)
                QVERIFY(doc.sameTablesAs(before) && doc.modified);
        }

        QTemporaryDir out;
        tms::batch::CapturedConsole console(QStringLiteral("kardo3"));
        QStringList arguments{"kardo3", "--save", out.filePath("out.dat"), "--export-c", out.filePath("out.c"),
                              "--rle", "--export-asm", out.filePath("out.asm")};
        arguments.insert(font ? 1 : arguments.size(), path);
        if (font)
            arguments.insert(1, QStringLiteral("--font"));
        QCOMPARE(runBatch(arguments, console), 1);
        QVERIFY2(console.err.startsWith("kardo3: ") && console.err.contains(path), qPrintable(console.err));
        QVERIFY(folderIsEmpty(out.path()));
    }
};

QTEST_GUILESS_MAIN(TestMalformedProjects)
#include "test_malformed_projects.moc"
