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

namespace {

using tms::Answer;

// A document of four bytes, read and written as they are; a file that is not four
// bytes starting with "D" is refused.
class BytesDocument final : public tms::EditorDocument {
public:
    QByteArray bytes = "0000";
    bool modified = false;
    QString name;
    std::optional<QString> openChoice, saveChoice; // the dialogs' answers
    QStringList dialogsShown;
    tms::UserDialogs* dialogs = nullptr;

    bool isModified() const override { return modified; }
    void setModified(bool value) override { modified = value; }
    QString fileName() const override { return name; }
    void setFileName(const QString& path) override { name = path; }
    std::optional<QString> chooseFileToOpen() override { return dialogsShown << "open", openChoice; }
    std::optional<QString> chooseFileToSave() override { return dialogsShown << "save", saveChoice; }
    QString refusalOf(const QString& path) override
    {
        return content(path) ? QString() : QStringLiteral("Illegal file");
    }
    bool readFile(const QString& path) override
    {
        const std::optional<QByteArray> read = content(path);
        if (!read)
            dialogs->tell(tms::warningTitle(), QStringLiteral("Illegal file"));
        bytes = read.value_or(bytes);
        return bool(read);
    }
    tms::FileResult writeFile(const QString& path) override { return tms::writeWholeFile(path, bytes); }
    void emptyDocument() override { bytes = "0000"; }

private:
    static std::optional<QByteArray> content(const QString& path)
    {
        QFile file(path);
        const QByteArray data = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        return data.size() == 4 && data.startsWith('D') ? std::optional(data) : std::nullopt;
    }
};

struct Life {
    QMainWindow window;
    ScriptedDialogs dialogs;
    BytesDocument document;
    QUndoStack stack;
    tms::DocumentUndo undo{stack,
                           {[this] { return document.bytes; },
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
        undo.record(QStringLiteral("Edit"), [&] { document.bytes[1] = byte, document.modified = true; });
    }
    bool untouched(const QByteArray& bytes, const QString& name = {}) const
    {
        return document.bytes == bytes && document.modified && document.name == name;
    }
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

    // (Cancel at every question keeps the work: tried through each editor's commands.)
    void closeAsksAndNoDiscardsYesSaves()
    {
        Life l;
        QVERIFY(l.life.close()); // clean: no question
        QVERIFY(l.dialogs.shown.isEmpty());
        l.document.name = dir.filePath("kept.dat");
        l.edit('x');
        l.dialogs.yesNoAnswers << Answer::No;
        QVERIFY(l.life.close()); // No discards
        QVERIFY(l.document.bytes == "0000" && !l.document.modified && l.document.name.isEmpty() && !l.stack.canUndo());
        QCOMPARE(l.window.windowTitle(), QStringLiteral("EDITOR[*]"));

        // Yes saves, and keeps the work when nothing was written.
        l.edit('y');
        l.dialogs.yesNoAnswers << Answer::Yes << Answer::Yes << Answer::Yes;
        QVERIFY(!l.life.close()); // unnamed: Save As, closed without a choice
        QCOMPARE(l.dialogs.texts(), (QStringList{warning, warning, hint}));
        l.document.saveChoice = dir.filePath("no/such/folder/a.dat"); // a failed write is told
        QVERIFY(!l.life.close());
        QVERIFY(l.dialogs.shown.last().text.contains("a.dat") && l.untouched("0y00"));
        l.document.saveChoice = dir.filePath("yes.dat");
        QVERIFY(l.life.close());
        QCOMPARE(readFile(dir.filePath("yes.dat")), QByteArray("0y00"));
        QCOMPARE(l.document.dialogsShown, (QStringList{"save", "save", "save"}));
    }

    void openAndDropsAskAfterTheChoiceAndRefuseBadFiles()
    {
        Life l;
        writeFile(dir.filePath("good.dat"), "Dabc");
        writeFile(dir.filePath("bad.dat"), "xxxx");
        l.edit('z');
        l.life.open(); // closed without a choice: no question, nothing changes
        QVERIFY(l.dialogs.shown.isEmpty() && l.untouched("0z00"));
        l.document.openChoice = dir.filePath("bad.dat");
        l.dialogs.yesNoAnswers << Answer::No;
        l.life.open(); // refused after the question: the work stays as it was
        QVERIFY(l.untouched("0z00"));
        l.life.openFile(dir.filePath("bad.dat")); // a drop is checked before any question
        QCOMPARE(l.dialogs.texts(), (QStringList{warning, "Illegal file", "Illegal file"}));

        l.document.openChoice = dir.filePath("good.dat");
        l.dialogs.yesNoAnswers << Answer::No;
        l.life.open();
        QVERIFY(l.document.bytes == "Dabc" && !l.document.modified && !l.stack.canUndo());
        QCOMPARE(l.window.windowTitle(), "EDITOR - " + dir.filePath("good.dat") + "[*]");
        QCOMPARE(l.life.recentFiles()->entries().first(), dir.filePath("good.dat"));
        QCOMPARE(l.dialogs.unexpected, 0);
    }

    void saveAndSaveAs()
    {
        Life l;
        QVERIFY(!l.life.save()); // nothing modified: nothing written, no dialog
        l.edit('s');
        QVERIFY(l.window.isWindowModified());
        l.document.saveChoice = dir.filePath("s.dat");
        QVERIFY(l.life.save()); // unnamed: Save As
        QCOMPARE(readFile(dir.filePath("s.dat")), QByteArray("0s00"));
        QCOMPARE(l.window.windowTitle(), "EDITOR - " + dir.filePath("s.dat") + "[*]");
        QVERIFY(!l.window.isWindowModified());
        QCOMPARE(l.window.statusBar()->currentMessage(), QStringLiteral("Wrote s.dat (4 bytes)"));

        l.edit('t');
        l.stack.undo(); // back to the saved bytes: clean again
        QVERIFY(!l.document.modified && !l.window.isWindowModified());
        l.stack.redo();
        QVERIFY(l.life.save());
        QCOMPARE(readFile(dir.filePath("s.dat")), QByteArray("0t00"));
        QCOMPARE(l.document.dialogsShown, QStringList{"save"}); // named: no dialog

        QVERIFY(!l.life.saveAs()); // its own name: only the hint
        QCOMPARE(l.dialogs.texts(), QStringList{hint});
        l.document.saveChoice = dir.filePath("no/such/folder/b.dat");
        QVERIFY(!l.life.saveAs()); // failed: told, keeps its name
        QCOMPARE(l.document.name, dir.filePath("s.dat"));
        l.document.saveChoice = dir.filePath("copy.dat");
        QVERIFY(l.life.saveAs()); // written even when not modified
        QCOMPARE(readFile(dir.filePath("copy.dat")), QByteArray("0t00"));
        QCOMPARE(l.life.recentFiles()->entries().mid(0, 2),
                 (QStringList{dir.filePath("copy.dat"), dir.filePath("s.dat")}));
    }

    void anImportIsUnsavedWorkAndOneStep()
    {
        Life l;
        l.document.name = dir.filePath("old.dat");
        l.edit('i');
        const auto import = [&] { return l.document.bytes = "IMPT", true; };
        l.dialogs.yesNoAnswers << Answer::Cancel << Answer::No << Answer::No << Answer::Cancel;
        QVERIFY(!l.life.importWith("Import", dir.filePath("pic.scr"), import));
        QVERIFY(!l.life.importWith("Import", {}, [] { return false; })); // refused by its reader
        QVERIFY(l.untouched("0i00", dir.filePath("old.dat")));
        QVERIFY(l.life.importWith("Import", dir.filePath("pic.scr"), import));
        QVERIFY(l.untouched("IMPT")); // nothing holds it yet: Save asks for a name
        QVERIFY(!l.life.close());     // and Close asks
        QCOMPARE(l.dialogs.texts(), (QStringList{warning, warning, warning, warning}));
        QCOMPARE(l.stack.undoText(), QStringLiteral("Import"));
        l.stack.undo();
        QCOMPARE(l.document.bytes, QByteArray("0i00"));
    }

    void quitAndTheEndOfTheWindow()
    {
        Life l;
        l.window.show();
        l.edit('q');
        l.dialogs.yesNoAnswers << Answer::No;
        l.life.quit(); // No: closes without asking again at the end of the window
        QVERIFY(!l.window.isVisible() && l.dialogs.unexpected == 0);
    }
};

QTEST_MAIN(TestDocumentLife)
#include "test_document_life.moc"
