#include "window_aids.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QMenu>
#include <QTreeView>

namespace tms {

void setStandardFileShortcuts(QMenu* fileMenu)
{
    struct Item {
        const char* name;
        QKeySequence::StandardKey key;
        const char* fallback;
    };
    static constexpr Item items[] = {
        {"Nouveau", QKeySequence::New, "Ctrl+N"},       {"Ouvrir", QKeySequence::Open, "Ctrl+O"},
        {"Sauver", QKeySequence::Save, "Ctrl+S"},       {"SauverSous", QKeySequence::SaveAs, "Ctrl+Shift+S"},
        {"Fermer", QKeySequence::Close, "Ctrl+W"},      {"Quitter", QKeySequence::Quit, "Ctrl+Q"},
    };
    for (const Item& item : items) {
        QAction* action = fileMenu->findChild<QAction*>(QString::fromLatin1(item.name));
        if (!action)
            continue;
        QList<QKeySequence> keys = QKeySequence::keyBindings(item.key);
        const QKeySequence fallback(QString::fromLatin1(item.fallback));
        if (!keys.contains(fallback))
            keys.append(fallback); // the usual key even where the platform's differs
        action->setShortcuts(keys);
    }
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
