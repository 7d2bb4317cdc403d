// The window's file menu, played through the dialog runner: the runner sets the LIEN
// value (a choice) or leaves it (the dialog closed).
#include "kardo_window.h"
#include "test_files.h"
#include "lien.h"
#include "pixel_view.h"
#include "asm_export.h"
#include "c_export.h"
#include "project_file.h"
#include "random_document.h"
#include "scripted_dialogs.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

namespace {

struct Harness {
    ScriptedDialogs dialogs;
    KardoWindow window;
    QList<FileDialogKind> shownDialogs;
    std::function<void(FileDialogKind)> user = [](FileDialogKind) {};
    Harness()
    {
        window.setDialogs(&dialogs);
        window.setPrototypeListFile(QStringLiteral("no-such-prototype.txt"));
        window.setFileDialogRunner([this](FileDialogKind kind) {
            shownDialogs << kind;
            user(kind);
        });
        window.Form_Load();
        window.Form_Activate();
    }
    TileDocument& doc() { return window.document(); }
    // The user picks path in the next dialog.
    void choose(const QString& path)
    {
        user = [path](FileDialogKind kind) {
            switch (kind) {
            case FileDialogKind::OpenDAT:
            case FileDialogKind::SaveAsDAT: LIEN().datFileName = path; break;
            case FileDialogKind::ExportC: LIEN().cFileName = path; break;
            case FileDialogKind::ExportASM: LIEN().asmFileName = path; break;
            default: break;
            }
        };
    }
    void closeDialogs() { user = [](FileDialogKind) {}; }
};

} // namespace

class TestKardoFiles : public QObject {
    Q_OBJECT
private slots:
    void saveAsThenSave()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = dir.filePath("level1.dat");
        h.doc().nameTable[3][4] = 0x99;
        h.doc().modified = true;
        h.choose(path);
        QVERIFY(h.window.SauverSous_Click());
        QCOMPARE(h.window.windowTitle(), "KARDO - " + path);
        QVERIFY(!h.doc().modified);
        QCOMPARE(readFile(path), projectFileBytes(h.doc()));

        // Save with nothing modified writes nothing.
        QVERIFY(QFile::remove(path));
        QVERIFY(!h.window.Sauver_Click());
        QVERIFY(!QFile::exists(path));
        h.doc().modified = true;
        QVERIFY(h.window.Sauver_Click());
        QVERIFY(QFile::exists(path));

        // Save As with the document's own name: only the hint.
        h.doc().modified = true;
        QVERIFY(!h.window.SauverSous_Click());
        QCOMPARE(h.dialogs.shown.last().text, QString("To save your work just select Save item in File menu"));
        QVERIFY(h.doc().modified);
        QCOMPARE(h.dialogs.unexpected, 0);
    }

    void promptYesOnUnnamedDocumentRunsSaveAs()
    {
        QTemporaryDir dir;
        Harness h;
        h.doc().charPatterns[65][0] = 0xFF;
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(true);
        h.closeDialogs();
        QVERIFY(!h.window.Fermer_Click()); // nothing written: the work stays
        QCOMPARE(h.shownDialogs, QList<FileDialogKind>{FileDialogKind::SaveAsDAT});
        QCOMPARE(int(h.doc().charPatterns[65][0]), 0xFF);
        QVERIFY(h.doc().modified);

        const QString path = dir.filePath("kept.dat");
        h.choose(path);
        h.dialogs.yesNoAnswers.enqueue(true);
        QVERIFY(h.window.Fermer_Click());
        QCOMPARE(int(h.doc().charPatterns[65][0]), 0); // closed after the save
        TileDocument saved;
        QVERIFY(loadProjectFile(path, saved).ok());
        QCOMPARE(int(saved.charPatterns[65][0]), 0xFF);
    }

    void openAsksFirstAndClosedChangesNothing()
    {
        QTemporaryDir dir;
        Harness h;
        const QString path = dir.filePath("a.dat"), other = dir.filePath("other.dat");
        writeFile(path, projectFileBytes(testdoc::randomDocument(1)));
        writeFile(other, projectFileBytes(testdoc::randomDocument(2)));
        h.choose(path);
        h.window.Ouvrir_Click();
        QVERIFY(h.doc().sameTablesAs(testdoc::randomDocument(1)));
        h.doc().nameTable[0][0] = 7; // unsaved work
        h.doc().modified = true;
        h.dialogs.yesNoAnswers.enqueue(false);
        h.closeDialogs();
        h.window.Ouvrir_Click(); // closed without a choice
        QCOMPARE(int(h.doc().nameTable[0][0]), 7);
        QVERIFY(h.doc().modified);
        QCOMPARE(h.doc().fileName, path);
        QCOMPARE(LIEN().datFileName, path);
        QVERIFY(h.dialogs.shown.isEmpty());

        h.choose(other);
        h.window.Ouvrir_Click(); // over the modified document: asked first, then discarded
        QCOMPARE(h.dialogs.texts(), QStringList{"Do you want to save the modification before closing?"});
        QVERIFY(h.doc().sameTablesAs(testdoc::randomDocument(2)));
        QVERIFY(!h.doc().modified);
        QCOMPARE(h.window.windowTitle(), "KARDO - " + other);

        // Yes on an unnamed document whose Save As is closed: no open, the work stays.
        Harness g;
        g.doc().nameTable[1][1] = 1;
        g.doc().modified = true;
        g.user = [&](FileDialogKind kind) {
            if (kind == FileDialogKind::OpenDAT)
                LIEN().datFileName = other;
        };
        g.dialogs.yesNoAnswers.enqueue(true);
        g.window.Ouvrir_Click();
        QCOMPARE(g.shownDialogs, (QList<FileDialogKind>{FileDialogKind::OpenDAT, FileDialogKind::SaveAsDAT}));
        QCOMPARE(int(g.doc().nameTable[1][1]), 1);
        QVERIFY(g.doc().modified);
        QVERIFY(g.doc().fileName.isEmpty());
    }

    void malformedFilesAreToldAndRefused()
    {
        QTemporaryDir dir;
        Harness h;
        QByteArray lf = projectFileBytes(TileDocument());
        lf.replace("\r\n", "\n");
        writeFile(dir.filePath("lf.dat"), lf);
        writeFile(dir.filePath("empty.dat"), {});
        h.doc().nameTable[2][2] = 5;
        h.doc().modified = true;
        for (const char* name : {"lf.dat", "empty.dat", "missing.dat"}) {
            h.dialogs.shown.clear();
            h.dialogs.yesNoAnswers.enqueue(false);
            h.choose(dir.filePath(name));
            h.window.Ouvrir_Click();
            QCOMPARE(h.dialogs.shown.last().kind, QString("tell"));
            QVERIFY(h.dialogs.shown.last().text.contains(name));
            QCOMPARE(int(h.doc().nameTable[2][2]), 5);
            QVERIFY(h.doc().fileName.isEmpty());
            QCOMPARE(h.window.windowTitle(), QString("KARDO"));
        }

        // A file cut short loads as far as it goes and says so.
        QByteArray cut = projectFileBytes(testdoc::randomDocument(4));
        cut.truncate(81 * 300);
        writeFile(dir.filePath("cut.dat"), cut);
        h.dialogs.yesNoAnswers.enqueue(false);
        h.choose(dir.filePath("cut.dat"));
        h.window.Ouvrir_Click();
        QVERIFY(h.dialogs.shown.last().text.contains("character colours"));
        QCOMPARE(h.doc().nameTable, testdoc::randomDocument(4).nameTable);
        QCOMPARE(h.doc().fileName, dir.filePath("cut.dat"));
    }

    void commandLineLoadsAnyCaseOfDat()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("LEVEL.DAT");
        TileDocument source = testdoc::randomDocument(5);
        source.spriteColors[0] = 0xF3; // drawn with its low nibble, kept as read
        source.spritePatterns[0].fill(0xFF);
        writeFile(path, projectFileBytes(source));
        ScriptedDialogs dialogs;
        KardoWindow window;
        window.setDialogs(&dialogs);
        window.setCommandLine(path);
        window.Form_Activate();
        QVERIFY(window.document().sameTablesAs(source));
        QCOMPARE(window.windowTitle(), "KARDO - " + path);
        QCOMPARE(LIEN().datFileName, path);
        QCOMPARE(QColor(window.SPRITE->shownImage().pixel(1, 1)), tms::toQColor(window.palette()[3]));
        QVERIFY(projectFileBytes(window.document()).contains("SCOLOR  DB      $F3,"));
    }

    void exportsWriteOnlyAConfirmedPath()
    {
        QTemporaryDir dir;
        Harness h;
        const QString c = dir.filePath("game.c");
        h.choose(c);
        LIEN().rleFlag = true;
        LIEN().startLine = 5;
        LIEN().endLine = 5;
        h.window.ExporterC_Click();
        QCOMPARE(readFile(c), ExportC(h.doc(), {true, 5, 5}));
        QVERIFY(QFile::remove(c));
        h.closeDialogs();
        h.window.ExporterC_Click(); // closed: nothing, also after an earlier export
        QVERIFY(!QFile::exists(c));
        QCOMPARE(LIEN().cFileName, c); // the folder is still remembered

        const QString a = dir.filePath("game.asm");
        h.choose(a);
        h.window.ExporterASM_Click();
        QCOMPARE(readFile(a), ExportAsm(h.doc()));
        QVERIFY(!h.doc().modified);

        // A write that fails is told.
        h.choose(dir.filePath("no/such/folder/x.asm"));
        h.window.ExporterASM_Click();
        QCOMPARE(h.dialogs.shown.last().kind, QString("tell"));
        QVERIFY(h.dialogs.shown.last().text.contains("x.asm"));
    }
};

QTEST_MAIN(TestKardoFiles)
#include "test_kardo_files.moc"
