// The one file life behind both editors, tried with a small document of its own: the
// question about unsaved work and its three answers, Open, a dropped file, imports,
// Save, Save As, Close, Quit, the recent list and the title. The editors' own tests
// only check what they plug in (their formats, dialogs and titles).
#include "document_life.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "snapshot_undo.h"
#include "test_files.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

#include <memory>

namespace {

constexpr int documentSize = 4;

// A document of four bytes, read from and written to files as they are; files that
// do not start with "D" are refused.
class BytesDocument final : public tms::EditorDocument {
public:
    QByteArray bytes = QByteArray(documentSize, '0');
    bool modified = false;
    QString name;
    std::optional<QString> openChoice, saveChoice; // the dialogs' answers
    QStringList dialogsShown;
    int emptied = 0;
    tms::UserDialogs* dialogs = nullptr;

    bool isModified() const override { return modified; }
    void setModified(bool value) override { modified = value; }
    QString fileName() const override { return name; }
    void setFileName(const QString& path) override { name = path; }
    std::optional<QString> chooseFileToOpen() override
    {
        dialogsShown << "open";
        return openChoice;
    }
    std::optional<QString> chooseFileToSave() override
    {
        dialogsShown << "save";
        return saveChoice;
    }
    QString refusalOf(const QString& path) override
    {
        return readFile(path, false) ? QString() : QStringLiteral("Illegal file");
    }
    bool readFile(const QString& path) override { return readFile(path, true); }
    tms::FileResult writeFile(const QString& path) override { return tms::writeWholeFile(path, bytes); }
    void emptyDocument() override
    {
        bytes = QByteArray(documentSize, '0');
        ++emptied;
    }

private:
    bool readFile(const QString& path, bool take)
    {
        QFile file(path);
        const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        if (content.size() != documentSize || !content.startsWith('D')) {
            if (take)
                dialogs->tell(tms::warningTitle(), QStringLiteral("Illegal file"));
            return false;
        }
        if (take)
            bytes = content;
        return true;
    }
};

struct Life {
    QMainWindow window;
    ScriptedDialogs dialogs;
    BytesDocument document;
    QUndoStack stack;
    tms::DocumentUndo undo{stack, {[this] { return document.bytes; },
                                   [this](const QByteArray& bytes, bool modified) {
                                       document.bytes = bytes;
                                       document.modified = modified;
                                   },
                                   [this] { return document.modified; }}};
    tms::DocumentLife life{window, document, dialogs, undo, QStringLiteral("EDITOR")};

    Life()
    {
        document.dialogs = &dialogs;
        QMenu* file = window.menuBar()->addMenu(QStringLiteral("&File"));
        life.addRecentFilesMenu(file, file->addAction(QStringLiteral("&Open")));
    }
    // A change made by the user: one undo step.
    void edit(char byte)
    {
        undo.record(QStringLiteral("Edit"), [&] {
            document.bytes[1] = byte;
            document.modified = true;
        });
    }
    QString title() const { return window.windowTitle(); }
};

} // namespace

class TestDocumentLife : public QObject {
    Q_OBJECT
    QTemporaryDir settings;
    QTemporaryDir dir;
    const QString warning = QStringLiteral("Do you want to save the modification before closing?");
    const QString hint = QStringLiteral("To save your work just select Save item in File menu");

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path()); }

    void questionOffersCancelAndCancelKeepsEverything()
    {
        Life l;
        QVERIFY(l.life.close()); // clean: no question
        QVERIFY(l.dialogs.shown.isEmpty());
        l.document.emptied = 0;
        l.document.name = dir.filePath("kept.dat");
        l.edit('x');
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        QVERIFY(!l.life.close());
        QCOMPARE(l.dialogs.shown.last().text, warning);
        QCOMPARE(l.document.bytes, QByteArray("0x00"));
        QVERIFY(l.document.modified);
        QCOMPARE(l.document.name, dir.filePath("kept.dat"));
        QVERIFY(l.stack.canUndo());
        QCOMPARE(l.document.emptied, 0);

        l.dialogs.yesNoAnswers << tms::Answer::No; // discards
        QVERIFY(l.life.close());
        QCOMPARE(l.document.bytes, QByteArray("0000"));
        QVERIFY(!l.document.modified && l.document.name.isEmpty() && !l.stack.canUndo());
        QCOMPARE(l.title(), QStringLiteral("EDITOR[*]"));
        QCOMPARE(l.dialogs.unexpected, 0);
    }

    void yesSavesAndKeepsTheWorkWhenNothingWasWritten()
    {
        Life l;
        l.edit('y');
        l.dialogs.yesNoAnswers << tms::Answer::Yes;
        QVERIFY(!l.life.close()); // unnamed: Save As, closed without a choice
        QCOMPARE(l.document.dialogsShown, QStringList{"save"});
        QCOMPARE(l.dialogs.shown.last().text, hint);
        QVERIFY(l.document.modified);

        l.document.saveChoice = dir.filePath("no/such/folder/a.dat"); // a failed write is told
        l.dialogs.yesNoAnswers << tms::Answer::Yes;
        QVERIFY(!l.life.close());
        QVERIFY(l.dialogs.shown.last().text.contains("a.dat"));
        QVERIFY(l.document.modified && l.document.name.isEmpty());

        l.document.saveChoice = dir.filePath("yes.dat");
        l.dialogs.yesNoAnswers << tms::Answer::Yes;
        QVERIFY(l.life.close());
        QCOMPARE(readFile(dir.filePath("yes.dat")), QByteArray("0y00"));
        QVERIFY(l.document.name.isEmpty()); // closed after the save
    }

    void openAsksAfterTheDialogAndRefusesBadFiles()
    {
        Life l;
        writeFile(dir.filePath("good.dat"), "Dabc");
        writeFile(dir.filePath("bad.dat"), "xxxx");
        l.edit('z');
        l.life.open(); // closed without a choice: no question, nothing changes
        QVERIFY(l.dialogs.shown.isEmpty());
        QCOMPARE(l.document.bytes, QByteArray("0z00"));

        l.document.openChoice = dir.filePath("good.dat");
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        l.life.open();
        QCOMPARE(l.document.bytes, QByteArray("0z00"));
        QVERIFY(l.document.modified);

        l.document.openChoice = dir.filePath("bad.dat");
        l.dialogs.yesNoAnswers << tms::Answer::No;
        l.life.open(); // refused after the question: the work stays as it was
        QCOMPARE(l.dialogs.shown.last().text, QStringLiteral("Illegal file"));
        QCOMPARE(l.document.bytes, QByteArray("0z00"));
        QVERIFY(l.document.modified);

        l.document.openChoice = dir.filePath("good.dat");
        l.dialogs.yesNoAnswers << tms::Answer::No;
        l.life.open();
        QCOMPARE(l.document.bytes, QByteArray("Dabc"));
        QVERIFY(!l.document.modified && !l.stack.canUndo());
        QCOMPARE(l.title(), "EDITOR - " + dir.filePath("good.dat") + "[*]");
        QCOMPARE(l.life.recentFiles()->entries().first(), dir.filePath("good.dat"));
        QCOMPARE(l.dialogs.unexpected, 0);
    }

    void droppedFilesAreCheckedBeforeTheQuestion()
    {
        Life l;
        writeFile(dir.filePath("drop.dat"), "Ddrp");
        writeFile(dir.filePath("junk.dat"), "junk");
        l.edit('d');
        l.life.openFile(dir.filePath("junk.dat"));
        QCOMPARE(l.dialogs.texts(), QStringList{"Illegal file"}); // refused before any question
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        l.life.openFile(dir.filePath("drop.dat"));
        QCOMPARE(l.document.bytes, QByteArray("0d00"));
        l.dialogs.yesNoAnswers << tms::Answer::No;
        l.life.openFile(dir.filePath("drop.dat"));
        QCOMPARE(l.document.bytes, QByteArray("Ddrp"));
        QCOMPARE(l.document.name, dir.filePath("drop.dat"));
    }

    void saveAndSaveAs()
    {
        Life l;
        QVERIFY(!l.life.save()); // nothing modified: nothing written, no dialog
        QVERIFY(l.document.dialogsShown.isEmpty());
        l.edit('s');
        QCOMPARE(l.title(), QStringLiteral("EDITOR[*]"));
        QVERIFY(l.window.isWindowModified());
        l.document.saveChoice = dir.filePath("s.dat");
        QVERIFY(l.life.save()); // unnamed: Save As
        QCOMPARE(readFile(dir.filePath("s.dat")), QByteArray("0s00"));
        QCOMPARE(l.title(), "EDITOR - " + dir.filePath("s.dat") + "[*]");
        QVERIFY(!l.window.isWindowModified());
        QCOMPARE(l.window.statusBar()->currentMessage(), QStringLiteral("Wrote s.dat (4 bytes)"));

        l.edit('t');
        QVERIFY(l.window.isWindowModified());
        l.undo.stack().undo(); // back to the saved bytes: clean again
        QVERIFY(!l.document.modified && !l.window.isWindowModified());
        l.undo.stack().redo();
        QVERIFY(l.life.save());
        QCOMPARE(readFile(dir.filePath("s.dat")), QByteArray("0t00"));
        QCOMPARE(l.document.dialogsShown, QStringList{"save"}); // named: no dialog

        QVERIFY(!l.life.saveAs()); // its own name: only the hint
        QCOMPARE(l.dialogs.shown.last().text, hint);
        l.document.saveChoice = dir.filePath("no/such/folder/b.dat");
        QVERIFY(!l.life.saveAs()); // failed: told, keeps its name
        QCOMPARE(l.document.name, dir.filePath("s.dat"));
        l.document.saveChoice = dir.filePath("copy.dat");
        QVERIFY(l.life.saveAs()); // written even when not modified
        QCOMPARE(readFile(dir.filePath("copy.dat")), QByteArray("0t00"));
        QCOMPARE(l.life.recentFiles()->entries().mid(0, 2), (QStringList{dir.filePath("copy.dat"), dir.filePath("s.dat")}));
    }

    void anImportIsUnsavedWorkAndOneStep()
    {
        Life l;
        l.document.name = dir.filePath("old.dat");
        l.edit('i');
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        QVERIFY(!l.life.importWith("Import", dir.filePath("pic.scr"), [&] { return l.document.bytes = "IMPT", true; }));
        QCOMPARE(l.document.bytes, QByteArray("0i00"));

        l.dialogs.yesNoAnswers << tms::Answer::No;
        QVERIFY(!l.life.importWith("Import", {}, [] { return false; })); // refused by its reader
        QCOMPARE(l.document.name, dir.filePath("old.dat"));

        l.dialogs.yesNoAnswers << tms::Answer::No;
        QVERIFY(l.life.importWith("Import", dir.filePath("pic.scr"), [&] { return l.document.bytes = "IMPT", true; }));
        QVERIFY(l.document.modified && l.document.name.isEmpty());
        QCOMPARE(l.stack.undoText(), QStringLiteral("Import"));
        QVERIFY(!l.life.recentFiles()->entries().contains(dir.filePath("pic.scr"))); // it does not exist
        l.dialogs.shown.clear();
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        QVERIFY(!l.life.close()); // the imported document is unsaved work: Close asks
        QCOMPARE(l.dialogs.shown.first().text, warning);
        l.stack.undo(); // the import is one step
        QCOMPARE(l.document.bytes, QByteArray("0i00"));
        QCOMPARE(l.dialogs.unexpected, 0);
    }

    void quitAndTheEndOfTheWindow()
    {
        Life l;
        l.window.show();
        l.edit('q');
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        l.life.quit();
        QVERIFY(l.window.isVisible());
        l.dialogs.yesNoAnswers << tms::Answer::Cancel;
        QVERIFY(!l.life.mayEndWindow(tms::endOfWindowPrompt(QStringLiteral("Q?"))));
        QCOMPARE(l.dialogs.shown.last().title, QStringLiteral("Warning! Unsaved modification!"));
        QVERIFY(l.document.modified);
        l.dialogs.yesNoAnswers << tms::Answer::No;
        l.life.quit(); // closes without asking again at the end of the window
        QVERIFY(!l.window.isVisible());
        QCOMPARE(l.dialogs.unexpected, 0);
    }
};

QTEST_MAIN(TestDocumentLife)
#include "test_document_life.moc"
