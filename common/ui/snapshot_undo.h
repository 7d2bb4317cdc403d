#pragma once
// Undo and redo for a document whose tables are a few kilobytes: each step keeps the
// difference between the tables before and after it (their XOR, compressed when that
// is smaller) and the document's modified flag before and after, so that undoing a step
// gives back exactly the tables and the flag it found. Once the document is saved, those
// flags are out of date: a step then gives "not modified" only where it reaches the
// tables that were saved. A mouse stroke is one step from
// press to release; any other action is one step around its work. The stack holds at most
// as many steps as fit in a byte bound at their largest, so it never grows past it.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class QUndoStack;
class QMenu;
class QObject;

namespace tms {

class PixelView;

// How the steps reach a document.
struct UndoableDocument {
    // The tables, as bytes of a fixed length.
    std::function<QByteArray()> saveTables;
    // Puts tables and the modified flag back, then redraws every view from the document.
    std::function<void(const QByteArray& tables, bool modified)> restore;
    std::function<bool()> modified;
};

class DocumentUndo {
public:
    static constexpr qint64 defaultByteBound = 64 * 1024 * 1024;

    DocumentUndo(QUndoStack& stack, UndoableDocument document, qint64 byteBound = defaultByteBound);
    ~DocumentUndo();

    // A step that lasts longer than one call: the state before is taken now, the step is
    // pushed at endStep() if the tables changed. A second begin while one is open is ignored
    // (a second button pressed during a stroke).
    void beginStep(const QString& text);
    void endStep();
    // One step around action; nothing is pushed when the tables did not change.
    void record(const QString& text, const std::function<void()>& action);
    // The same, but the step joins the one just pushed by recordJoined, until
    // endJoining(): a typed entry is one step, not one per key.
    void recordJoined(const QString& text, const std::function<void()>& action);
    void endJoining();
    // Forgets every step (a document loaded, made new or closed).
    void clear();
    // The tables as they are now were written to the document's file.
    void markSaved();

    // Presses on view begin a step named text, the release of the last button held ends it. Call it before the view's
    // own handlers are connected, so that the state before is taken ahead of their work.
    void trackStrokes(PixelView* view, const QString& text);
    // Adds "Undo <action>" (Ctrl+Z) and "Redo <action>" (Ctrl+Shift+Z, Ctrl+Y) to menu.
    void addActionsTo(QMenu* menu, QObject* owner);

    QUndoStack& stack() const { return m_stack; }

    // Bytes held by the steps now on the stack.
    qint64 bytesHeld() const { return *m_bytesHeld; }

private:
    QUndoStack& m_stack;
    std::shared_ptr<const UndoableDocument> m_document;
    std::shared_ptr<qint64> m_bytesHeld;
    std::shared_ptr<bool> m_savedSinceClear;
    int m_joinGeneration = 0; // steps of the same generation join
    bool m_joining = false;
    bool m_open = false;
    QString m_openText;
    QByteArray m_before;
    bool m_modifiedBefore = false;
};

} // namespace tms
