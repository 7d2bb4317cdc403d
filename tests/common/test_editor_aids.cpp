// The shared editor aids: Open Recent, standard shortcuts, file dialog columns.
#include "file_chooser.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "window_aids.h"

#include <QHeaderView>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class TestEditorAids : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }

    void recentFilesKeepEightExistingNewestFirst()
    {
        QMenu file;
        QAction* open = file.addAction(QStringLiteral("&Open"));
        QStringList opened, paths;
        tms::RecentFiles recent(&file, open, [&](const QString& path) { opened << path; });
        for (int i = 0; i < 10; ++i) {
            paths << dir.filePath(QStringLiteral("f%1.dat").arg(i));
            writeFile(paths.last(), "NAME");
            recent.add(paths.last());
        }
        recent.add(paths[5]); // again: moves first
        QFile::remove(paths[9]); // gone: dropped
        QCOMPARE(recent.entries(), (QStringList{paths[5], paths[8], paths[7], paths[6], paths[4], paths[3], paths[2]}));
        recent.rebuild();
        recent.menu()->actions().at(1)->trigger();
        QCOMPARE(opened, QStringList{paths[8]});
    }

    void standardKeysKeepCaptionsAndColumnsFit()
    {
        QMenu file;
        const QStringList names = {"Nouveau", "Ouvrir", "Sauver", "SauverSous", "Fermer", "Quitter"};
        const QStringList keys = {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+W", "Ctrl+Q"};
        for (const QString& name : names)
            file.addAction(QStringLiteral("&") + name)->setObjectName(name);
        tms::setStandardFileShortcuts(&file);
        for (int i = 0; i < names.size(); ++i) {
            auto* action = file.findChild<QAction*>(names[i]);
            QVERIFY(action->shortcuts().contains(QKeySequence(keys[i])) && action->text() == "&" + names[i]);
        }

        ScriptedDialogs dialogs;
        tms::FileChooser chooser({}, dialogs, nullptr);
        auto* view = chooser.findChild<QTreeView*>(QStringLiteral("treeView"));
        for (int i = 0; i < view->header()->count(); ++i) {
            const QString title = view->model()->headerData(i, Qt::Horizontal).toString();
            QVERIFY2(view->header()->sectionSize(i) > view->fontMetrics().horizontalAdvance(title), qPrintable(title));
        }
    }
};

QTEST_MAIN(TestEditorAids)
#include "test_editor_aids.moc"
