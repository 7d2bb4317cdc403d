#pragma once
// "File > Open Recent": the last files an editor opened or saved, newest first, kept
// between runs in the program's settings. Entries whose file no longer exists are
// dropped when the list is read. Choosing an entry hands its path to the window, which
// opens it through the same checks and questions as its Open command.

#include <QObject>
#include <QStringList>
#include <functional>

class QAction;
class QMenu;

namespace tms {

class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int maxEntries = 8;

    // Inserts the submenu into fileMenu right after the item after; open receives the
    // path of a chosen entry.
    RecentFiles(QMenu* fileMenu, QAction* after, std::function<void(const QString&)> open);

    // Puts path first (once), keeping at most maxEntries.
    void add(const QString& path);
    // The stored entries that still exist, newest first; the others leave the settings.
    QStringList entries() const;

    QMenu* menu() const { return m_menu; }
    // Rebuilds the submenu's items from entries(); run each time it opens.
    void rebuild();

private:
    QMenu* m_menu;
    std::function<void(const QString&)> m_open;
};

} // namespace tms
