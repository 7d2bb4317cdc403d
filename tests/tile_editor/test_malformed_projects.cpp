// Every malformed project file of the corpus: the batch run fails with a message that
// names the file and writes nothing; the loader leaves the document alone unless the
// file supplied values (a file cut short keeps what it holds, and says what it lacks).

#include "batch_command_line.h"
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
        const ProjectLoad load = loadProjectFile(path, doc);
        QVERIFY(!load.ok());
        QVERIFY(!load.message.isEmpty());
        if (load.outcome == ProjectLoad::Outcome::Refused)
            QVERIFY(doc.sameTablesAs(before) && doc.modified);

        QTemporaryDir out;
        BatchPlan plan;
        plan.input = path;
        for (auto [kind, name] : {std::pair{BatchOutput::Kind::Project, "out.dat"}, {BatchOutput::Kind::C, "out.c"},
                                  {BatchOutput::Kind::Asm, "out.asm"}})
            plan.outputs.push_back({kind, out.filePath(name), {}});
        StderrCapture err;
        QCOMPARE(runBatchPlan(plan, QStringLiteral("kardo3")), 1);
        QVERIFY2(err.text().startsWith("kardo3: ") && err.text().contains(QFileInfo(path).fileName()),
                 qPrintable(err.text()));
        QVERIFY(folderIsEmpty(out.path()));
    }
};

QTEST_GUILESS_MAIN(TestMalformedProjects)
#include "test_malformed_projects.moc"
