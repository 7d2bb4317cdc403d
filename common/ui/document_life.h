#pragma once
// The file life of an editor's document, the same in every editor: New, Open, Open
// Recent, a dropped file, the imports, Save, Save As, Close and Quit, the question
// about unsaved work (Yes, No, Cancel), the recent-files list, the undo stack's clean
// state and the window title with its modified mark. An editor supplies only what
// differs: its dialogs, how it reads, writes and empties its document, and its title.
//
// Work is never lost: a question answered Cancel, or Escape, or closed, changes
// nothing; Yes runs Save, and when nothing was written (a failed write, a Save As
// closed without a choice) the work is kept as well.

#include "atomic_file.h"

#include <QObject>
#include <QStringList>
#include <functional>
#include <optional>

class QAction;
class QMainWindow;
class QMenu;

namespace tms {

class DocumentUndo;
class RecentFiles;
class UserDialogs;

// The question asked before modified work is discarded.
struct SavePrompt {
    QString title;
    QString question;
};
// "Warning" / "Do you want to save the modification before closing?"
SavePrompt closingPrompt();
// The question at the end of the window, title "Warning! Unsaved modification!".
SavePrompt endOfWindowPrompt(const QString& question);

// What differs from one editor to the next.
class EditorDocument {
public:
    virtual ~EditorDocument() = default;
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;
    virtual QString fileName() const = 0;
    virtual void setFileName(const QString& path) = 0;
    // The Open and Save As dialogs; nullopt when closed without a choice.
    virtual std::optional<QString> chooseFileToOpen() = 0;
    virtual std::optional<QString> chooseFileToSave() = 0;
    // The Open dialog's check for a file chosen elsewhere (dropped, Open Recent, the
    // command line): the refusal to tell, empty when the file may be read.
    virtual QString refusalOf(const QString& path) = 0;
    // Reads path into the document and shows it; tells what went wrong. False when the
    // file was refused, the document then as it was.
    virtual bool readFile(const QString& path) = 0;
    // Writes the document to path. A failure with an empty error was cancelled by the
    // user and is not told.
    virtual FileResult writeFile(const QString& path) = 0;
    // The status bar's report once path was written.
    virtual QString reportOfWrite(const QString& path);
    // Makes the document new and empty and shows it (Close, New).
    virtual void emptyDocument() = 0;
};

class DocumentLife : public QObject {
    Q_OBJECT
public:
    // programTitle: the title without a document name ("KARDO"). The title follows
    // every undo step, undo and redo of undoSteps.
    DocumentLife(QMainWindow& window, EditorDocument& editor, UserDialogs& dialogs, DocumentUndo& undo,
                 QString programTitle);

    // The dialogs may be replaced (tests script them).
    void setDialogs(UserDialogs& dialogs) { m_dialogs = &dialogs; }

    // Adds "Open Recent" after the item after of fileMenu; a chosen entry goes to open
    // (openFile when empty).
    void addRecentFilesMenu(QMenu* fileMenu, QAction* after, std::function<void(const QString&)> open = {});
    RecentFiles* recentFiles() const { return m_recent; }
    // Opens dropped files with one of extensions (".dat") through open (openFile when empty).
    void acceptDrops(const QStringList& extensions, std::function<void(const QString&)> open = {});

    // The question about unsaved work; true when the work may go (not modified, No, or
    // Yes and it was saved).
    bool mayDiscardWork(const SavePrompt& prompt = closingPrompt());

    // New and Close: after the question, an empty document without a name. False when kept.
    bool close();
    // Open: the dialog, then the question, then the file.
    void open();
    // A file chosen outside the Open dialog: its check, the question, the file.
    void openFile(const QString& path);
    // Reads path as the document's file, without a question (the command line).
    bool load(const QString& path);
    // An import: the question, then read() replaces the document in one undo step. The
    // imported document is unsaved work without a name. source goes to Open Recent.
    bool importWith(const QString& stepText, const QString& source, const std::function<bool()>& read);
    // Save writes a modified document to its file (Save As without one); false when nothing was written.
    bool save();
    bool saveAs();
    // Quit: Close, then the window closes without a second question.
    void quit();
    // The end of the window (its close button): true when it may close.
    bool mayEndWindow(const SavePrompt& prompt);

    // Says in the status bar what was written to path (its name and size).
    void tellWritten(const QString& path);
    void tellInStatusBar(const QString& message);
    // The title: the program, the document's name, the modified mark.
    void refreshTitle();

private:
    bool writeTo(const QString& path);

    QMainWindow& m_window;
    EditorDocument& m_editor;
    UserDialogs* m_dialogs;
    DocumentUndo& m_undo;
    QString m_programTitle;
    RecentFiles* m_recent = nullptr;
    bool m_quitting = false;
};

// The status bar's report of a written file: "Wrote level.dat (35316 bytes)".
QString writtenFileMessage(const QString& path);
void showWrittenFile(QMainWindow& window, const QString& path);

} // namespace tms
