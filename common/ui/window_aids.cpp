#include "window_aids.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>

#include <algorithm>

namespace tms {

void giveStandardKeys(QAction* action, FileCommand command)
{
    struct Keys {
        QKeySequence::StandardKey standard;
        const char* usual;
    };
    static constexpr Keys table[] = {
        {QKeySequence::New, "Ctrl+N"},          {QKeySequence::Open, "Ctrl+O"},  {QKeySequence::Save, "Ctrl+S"},
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

QPoint besideOwner(const QRect& ownerFrame, const QSize& frameSize, const QRect& available)
{
    int x;
    if (ownerFrame.right() + 1 + frameSize.width() <= available.right() + 1)
        x = ownerFrame.right() + 1;
    else if (ownerFrame.left() - frameSize.width() >= available.left())
        x = ownerFrame.left() - frameSize.width();
    else if (available.right() - ownerFrame.right() >= ownerFrame.left() - available.left())
        x = available.right() + 1 - frameSize.width();
    else
        x = available.left();
    // Kept inside: the left and top edges win when the frame is larger than the area.
    x = std::max(available.left(), std::min(x, available.right() + 1 - frameSize.width()));
    const int y = std::max(available.top(), std::min(ownerFrame.top(), available.bottom() + 1 - frameSize.height()));
    return {x, y};
}

void placeBeside(QWidget* window, const QWidget* owner)
{
    const QScreen* screen = owner->screen();
    if (!screen)
        return;
    // The window's frame is not known before it is first shown: the owner's decorations
    // stand for it, around the size its layout asks for.
    window->adjustSize();
    const QSize decorations = owner->frameGeometry().size() - owner->geometry().size();
    const QSize frame = window->size() + decorations;
    window->move(besideOwner(owner->frameGeometry(), frame, screen->availableGeometry()));
}

} // namespace tms
