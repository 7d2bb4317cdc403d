#include "recent_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace tms {

namespace {

const QString recentKey = QStringLiteral("recentFiles");

// Every program of the suite keeps its settings under one organisation.
QSettings programSettings()
{
    return QSettings(QStringLiteral("tms-graphics-suite"), QCoreApplication::applicationName());
}

QString cleanAbsolute(const QString& path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

RecentFiles::RecentFiles(QMenu* fileMenu, QAction* after, std::function<void(const QString&)> open)
    : QObject(fileMenu), m_menu(new QMenu(QStringLiteral("Open Recen&t"), fileMenu)), m_open(std::move(open))
{
    m_menu->setObjectName(QStringLiteral("OpenRecent"));
    const QList<QAction*> items = fileMenu->actions();
    const qsizetype at = items.indexOf(after);
    QAction* before = at >= 0 && at + 1 < items.size() ? items[at + 1] : nullptr;
    fileMenu->insertMenu(before, m_menu);
    connect(m_menu, &QMenu::aboutToShow, this, &RecentFiles::rebuild);
    rebuild();
}

void RecentFiles::add(const QString& path)
{
    const QString entry = cleanAbsolute(path);
    QStringList list = programSettings().value(recentKey).toStringList();
    list.removeAll(entry);
    list.prepend(entry);
    while (list.size() > maxEntries)
        list.removeLast();
    programSettings().setValue(recentKey, list);
    rebuild();
}

QStringList RecentFiles::entries() const
{
    QSettings settings = programSettings();
    const QStringList stored = settings.value(recentKey).toStringList();
    // Only as many entries as the menu shows are looked at: the list holds no more unless
    // the settings were edited by hand, and each look asks the file system.
    QStringList existing;
    for (const QString& path : stored.mid(0, maxEntries))
        if (QFileInfo(path).isFile() && !existing.contains(path))
            existing << path;
    if (existing != stored)
        settings.setValue(recentKey, existing);
    return existing;
}

void RecentFiles::rebuild()
{
    m_menu->clear();
    const QStringList list = entries();
    for (int i = 0; i < list.size(); ++i) {
        const QString path = list[i];
        // "&1 name.dat": the number is the mnemonic; the full path shows as the tip.
        QAction* action = m_menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setObjectName(QStringLiteral("recent_%1").arg(i));
        action->setToolTip(path);
        action->setStatusTip(path);
        connect(action, &QAction::triggered, this, [this, path] { m_open(path); });
    }
    m_menu->setToolTipsVisible(true);
    m_menu->setEnabled(!list.isEmpty());
}

} // namespace tms
