#include "window_aids.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace tms {

void giveStandardKeys(QAction* action, FileCommand command)
{
    struct Keys {
        QKeySequence::StandardKey standard;
        const char* usual;
    };
    static constexpr Keys table[] = {
        {QKeySequence::New, "Ctrl+N"},  {QKeySequence::Open, "Ctrl+O"},          {QKeySequence::Save, "Ctrl+S"},
        {QKeySequence::SaveAs, "Ctrl+Shift+S"}, {QKeySequence::Close, "Ctrl+W"}, {QKeySequence::Quit, "Ctrl+Q"},
    };
    const Keys& keys = table[int(command)];
    QList<QKeySequence> sequences = QKeySequence::keyBindings(keys.standard);
    const QKeySequence usual(QString::fromLatin1(keys.usual));
    if (!sequences.contains(usual))
        sequences.append(usual); // the usual key even where the platform's differs
    action->setShortcuts(sequences);
}

void fitFileDialogColumns(QFileDialog* dialog)
{
    // The widget chooser's detail view; columns follow their contents, the name
    // column keeps at least room for a long file name.
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setStretchLastSection(false);
    header->setMinimumSectionSize(view->fontMetrics().horizontalAdvance(QStringLiteral("Date Modified")) + 24);
    dialog->resize(qMax(dialog->width(), 760), qMax(dialog->height(), 440));
}

} // namespace tms
