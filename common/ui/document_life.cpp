#include "document_life.h"

#include "file_drop.h"
#include "recent_files.h"
#include "snapshot_undo.h"
#include "user_dialogs.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QStatusBar>
#include <QUndoStack>

namespace tms {

namespace {

bool samePath(const QString& a, const QString& b)
{
    if (a.isEmpty() || b.isEmpty())
        return a == b;
    return QDir::cleanPath(QFileInfo(a).absoluteFilePath()) == QDir::cleanPath(QFileInfo(b).absoluteFilePath());
}

} // namespace

SavePrompt closingPrompt()
{
    return {warningTitle(), QStringLiteral("Do you want to save the modification before closing?")};
}

SavePrompt endOfWindowPrompt(const QString& question)
{
    return {QStringLiteral("Warning! Unsaved modification!"), question};
}

QString writtenFileMessage(const QString& path)
{
    const QFileInfo info(path);
    return QStringLiteral("Wrote %1 (%2 bytes)").arg(info.fileName()).arg(info.size());
}

void showWrittenFile(QMainWindow& window, const QString& path)
{
    window.statusBar()->showMessage(writtenFileMessage(path));
}

QString EditorDocument::reportOfWrite(const QString& path)
{
    return writtenFileMessage(path);
}

DocumentLife::DocumentLife(QMainWindow& window, EditorDocument& editor, UserDialogs& dialogs, DocumentUndo& undo,
                           QString programTitle)
    : QObject(&window), m_window(window), m_editor(editor), m_dialogs(&dialogs), m_undo(undo),
      m_programTitle(std::move(programTitle))
{
    connect(&undo.stack(), &QUndoStack::indexChanged, this, &DocumentLife::refreshTitle);
    refreshTitle();
}

void DocumentLife::addRecentFilesMenu(QMenu* fileMenu, QAction* after, std::function<void(const QString&)> open)
{
    if (!open)
        open = [this](const QString& path) { openFile(path); };
    m_recent = new RecentFiles(fileMenu, after, std::move(open));
}

void DocumentLife::acceptDrops(const QStringList& extensions, std::function<void(const QString&)> open)
{
    if (!open)
        open = [this](const QString& path) { openFile(path); };
    acceptFileDrops(&m_window, extensions, std::move(open));
}

bool DocumentLife::mayDiscardWork(const SavePrompt& prompt)
{
    if (!m_editor.isModified())
        return true;
    switch (m_dialogs->askYesNoCancel(prompt.title, prompt.question)) {
    case Answer::No: return true;
    case Answer::Cancel: return false;
    case Answer::Yes: break;
    }
    save();
    return !m_editor.isModified(); // Yes means "keep my work": if nothing was saved, nothing goes
}

bool DocumentLife::close()
{
    if (!mayDiscardWork())
        return false;
    m_editor.emptyDocument();
    m_editor.setModified(false);
    m_editor.setFileName(QString());
    m_undo.clear();
    refreshTitle();
    return true;
}

void DocumentLife::open()
{
    // Closing the dialog without a choice changes nothing and asks nothing.
    const std::optional<QString> path = m_editor.chooseFileToOpen();
    if (path && mayDiscardWork())
        load(*path);
}

void DocumentLife::openFile(const QString& path)
{
    if (const QString refusal = m_editor.refusalOf(path); !refusal.isEmpty()) {
        m_dialogs->tell(warningTitle(), refusal);
        return;
    }
    if (mayDiscardWork())
        load(path);
}

bool DocumentLife::load(const QString& path)
{
    if (!m_editor.readFile(path))
        return false;
    m_undo.clear();
    m_editor.setModified(false);
    m_editor.setFileName(path);
    if (m_recent)
        m_recent->add(path);
    refreshTitle();
    return true;
}

bool DocumentLife::importWith(const QString& stepText, const QString& source, const std::function<bool()>& read)
{
    if (!mayDiscardWork())
        return false;
    bool imported = false;
    m_undo.record(stepText, [&] {
        imported = read();
        if (imported)
            m_editor.setModified(true); // nothing holds it yet: Save asks for a name, Close asks
    });
    if (!imported)
        return false;
    m_editor.setFileName(QString());
    if (m_recent && !source.isEmpty())
        m_recent->add(source);
    refreshTitle();
    return true;
}

bool DocumentLife::save()
{
    if (!m_editor.isModified())
        return false;
    if (m_editor.fileName().isEmpty())
        return saveAs();
    return writeTo(m_editor.fileName());
}

bool DocumentLife::saveAs()
{
    const std::optional<QString> path = m_editor.chooseFileToSave();
    if (!path || samePath(*path, m_editor.fileName())) {
        m_dialogs->tell(warningTitle(), QStringLiteral("To save your work just select Save item in File menu"));
        return false;
    }
    if (!writeTo(*path))
        return false; // the document keeps its old name
    m_editor.setFileName(*path);
    if (m_recent)
        m_recent->add(*path);
    refreshTitle();
    return true;
}

bool DocumentLife::writeTo(const QString& path)
{
    const FileResult written = m_editor.writeFile(path);
    if (!written) {
        if (!written.error.isEmpty())
            m_dialogs->tell(warningTitle(), written.error);
        return false;
    }
    m_editor.setModified(false);
    m_undo.markSaved();
    tellInStatusBar(m_editor.reportOfWrite(path));
    refreshTitle();
    return true;
}

void DocumentLife::quit()
{
    if (!close())
        return;
    m_quitting = true;
    m_window.close();
}

bool DocumentLife::mayEndWindow(const SavePrompt& prompt)
{
    return m_quitting || mayDiscardWork(prompt);
}

void DocumentLife::tellWritten(const QString& path)
{
    tellInStatusBar(writtenFileMessage(path));
}

void DocumentLife::tellInStatusBar(const QString& message)
{
    m_window.statusBar()->showMessage(message);
}

void DocumentLife::refreshTitle()
{
    const QString name = m_editor.fileName();
    m_window.setWindowTitle((name.isEmpty() ? m_programTitle : m_programTitle + QStringLiteral(" - ") + name)
                            + QStringLiteral("[*]"));
    m_window.setWindowModified(m_editor.isModified());
}

} // namespace tms
