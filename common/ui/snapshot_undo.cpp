#include "snapshot_undo.h"

#include "pixel_view.h"

#include <QAction>
#include <QMenu>
#include <QUndoCommand>
#include <QUndoStack>
#include <QtDebug>

#include <algorithm>

namespace tms {

namespace {

// Bookkeeping of a step beside its difference bytes (the command object, the array header).
constexpr qint64 stepOverhead = 512;

QByteArray xorOf(const QByteArray& a, const QByteArray& b)
{
    QByteArray result(a.size(), '\0');
    char* out = result.data();
    const char *left = a.constData(), *right = b.constData();
    for (qsizetype i = 0; i < a.size(); ++i)
        out[i] = char(left[i] ^ right[i]);
    return result;
}

// The id of steps that may join the step before them.
constexpr int joinedStepId = 1;

class SnapshotStep : public QUndoCommand {
public:
    SnapshotStep(const QString& text, std::shared_ptr<const UndoableDocument> document, const QByteArray& before,
                 bool modifiedBefore, const QByteArray& after, bool modifiedAfter, std::shared_ptr<qint64> bytesHeld,
                 const QUndoStack& stack, std::shared_ptr<const bool> savedSinceClear)
        : QUndoCommand(text), m_document(std::move(document)), m_modifiedBefore(modifiedBefore),
          m_modifiedAfter(modifiedAfter), m_size(after.size()), m_checkBefore(qChecksum(before)),
          m_checkAfter(qChecksum(after)), m_bytesHeld(std::move(bytesHeld)), m_stack(stack),
          m_savedSinceClear(std::move(savedSinceClear))
    {
        setDifference(xorOf(before, after));
        *m_bytesHeld += heldBytes();
    }
    ~SnapshotStep() override { *m_bytesHeld -= heldBytes(); }

    // A step of a joined entry carries the entry's generation; others join nothing.
    void joinAs(int generation) { m_joinGeneration = generation; }
    int id() const override { return m_joinGeneration >= 0 ? joinedStepId : -1; }
    // The differences of two steps in a row add up by XOR.
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto* next = dynamic_cast<const SnapshotStep*>(other);
        if (!next || next->m_joinGeneration != m_joinGeneration || next->m_size != m_size || next->text() != text())
            return false;
        *m_bytesHeld -= heldBytes();
        setDifference(xorOf(rawDifference(), next->rawDifference()));
        *m_bytesHeld += heldBytes();
        m_checkAfter = next->m_checkAfter;
        m_modifiedAfter = next->m_modifiedAfter;
        return true;
    }

    // The first redo comes from the push: the document is already in the state after.
    void redo() override
    {
        if (m_pushed)
            apply(m_checkBefore, m_checkAfter, modifiedAt(m_stack.index() + 1, m_modifiedAfter));
        m_pushed = true;
    }
    // The stack moves its index after this call.
    void undo() override { apply(m_checkAfter, m_checkBefore, modifiedAt(m_stack.index() - 1, m_modifiedBefore)); }

private:
    qint64 heldBytes() const { return m_difference.capacity() + stepOverhead; }

    void setDifference(const QByteArray& difference)
    {
        const QByteArray packed = qCompress(difference);
        m_compressed = packed.size() < difference.size();
        m_difference = m_compressed ? packed : difference;
        m_difference.squeeze();
    }
    QByteArray rawDifference() const { return m_compressed ? qUncompress(m_difference) : m_difference; }

    // The flag recorded with the step, unless a save came since: then only the saved
    // tables are unmodified (the clean index is -1 once the saved state left the stack).
    bool modifiedAt(int index, bool recorded) const
    {
        return *m_savedSinceClear ? index != m_stack.cleanIndex() : recorded;
    }

    void apply(quint16 expected, quint16 wanted, bool modified)
    {
        const QByteArray now = m_document->saveTables();
        if (now.size() != m_size || qChecksum(now) != expected) {
            // Something changed the tables outside the steps; applying the difference
            // would scramble them, so they are left as they are.
            qWarning("Undo step \"%s\" skipped: the document changed outside undo", qPrintable(text()));
            return;
        }
        const QByteArray target = xorOf(now, rawDifference());
        if (qChecksum(target) != wanted)
            qWarning("Undo step \"%s\" gave unexpected tables", qPrintable(text()));
        m_document->restore(target, modified);
    }

    std::shared_ptr<const UndoableDocument> m_document;
    bool m_modifiedBefore, m_modifiedAfter;
    qsizetype m_size;
    quint16 m_checkBefore, m_checkAfter;
    bool m_compressed = false;
    bool m_pushed = false;
    int m_joinGeneration = -1;
    QByteArray m_difference;
    std::shared_ptr<qint64> m_bytesHeld;
    const QUndoStack& m_stack;
    std::shared_ptr<const bool> m_savedSinceClear;
};

} // namespace

DocumentUndo::DocumentUndo(QUndoStack& stack, UndoableDocument document, qint64 byteBound)
    : m_stack(stack), m_document(std::make_shared<const UndoableDocument>(std::move(document))),
      m_bytesHeld(std::make_shared<qint64>(0)), m_savedSinceClear(std::make_shared<bool>(false))
{
    // A step holds at most the size of the tables (the XOR is kept raw when compressing
    // does not help), so this many steps always fit in the bound.
    const qint64 largestStep = m_document->saveTables().size() + stepOverhead;
    m_stack.clear();
    m_stack.setUndoLimit(int(std::clamp<qint64>(byteBound / largestStep, 1, 1 << 30)));
}

DocumentUndo::~DocumentUndo() = default;

void DocumentUndo::beginStep(const QString& text)
{
    if (m_open)
        return;
    m_open = true;
    m_openText = text;
    m_before = m_document->saveTables();
    m_modifiedBefore = m_document->modified();
}

void DocumentUndo::endStep()
{
    if (!m_open)
        return;
    m_open = false;
    const QByteArray after = m_document->saveTables();
    if (after != m_before) {
        auto* step = new SnapshotStep(m_openText, m_document, m_before, m_modifiedBefore, after, m_document->modified(),
                                      m_bytesHeld, m_stack, m_savedSinceClear);
        if (m_joining)
            step->joinAs(m_joinGeneration);
        else
            ++m_joinGeneration; // any other step ends a joined entry
        m_stack.push(step);
    }
    m_before.clear();
}

void DocumentUndo::recordJoined(const QString& text, const std::function<void()>& action)
{
    if (m_open) {
        action();
        return;
    }
    m_joining = true;
    record(text, action);
    m_joining = false;
}

void DocumentUndo::endJoining()
{
    ++m_joinGeneration;
}

void DocumentUndo::record(const QString& text, const std::function<void()>& action)
{
    if (m_open) { // inside a stroke: part of it
        action();
        return;
    }
    beginStep(text);
    action();
    endStep();
}

void DocumentUndo::clear()
{
    ++m_joinGeneration;
    m_open = false;
    m_before.clear();
    m_stack.clear();
    *m_savedSinceClear = false;
}

void DocumentUndo::markSaved()
{
    m_stack.setClean();
    *m_savedSinceClear = true;
}

void DocumentUndo::trackStrokes(PixelView* view, const QString& text)
{
    QObject::connect(view, &PixelView::mouseDown, view, [this, text] { beginStep(text); });
    QObject::connect(view, &PixelView::strokeEnded, view, [this] { endStep(); });
}

void DocumentUndo::addActionsTo(QMenu* menu, QObject* owner)
{
    QAction* undo = m_stack.createUndoAction(owner, QStringLiteral("Undo"));
    undo->setObjectName(QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = m_stack.createRedoAction(owner, QStringLiteral("Redo"));
    redo->setObjectName(QStringLiteral("Redo"));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    menu->addAction(undo);
    menu->addAction(redo);
}

} // namespace tms
