// The shared editor aids: Open Recent, dropped files, standard shortcuts and the
// file dialogs' columns.
#include "file_chooser.h"
#include "file_drop.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "test_files.h"
#include "window_aids.h"

#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

class TestEditorAids : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase()
    {
        // Never the user's own settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    }

    void recentFilesKeepEightExistingNewestFirst()
    {
        QTemporaryDir dir;
        QMenu file;
        QAction* open = file.addAction(QStringLiteral("&Open"));
        file.addAction(QStringLiteral("&Save"));
        QStringList opened;
        tms::RecentFiles recent(&file, open, [&](const QString& path) { opened << path; });
        QCOMPARE(file.actions().at(1), recent.menu()->menuAction()); // right after Open
        QVERIFY(!recent.menu()->isEnabled());
        QStringList paths;
        for (int i = 0; i < 10; ++i) {
            paths << dir.filePath(QStringLiteral("f%1.dat").arg(i));
            writeFile(paths.last(), "NAME");
            recent.add(paths.last());
        }
        recent.add(paths[5]); // again: moves first
        QCOMPARE(recent.entries(), (QStringList{paths[5], paths[9], paths[8], paths[7], paths[6], paths[4], paths[3], paths[2]}));
        QFile::remove(paths[9]);
        QCOMPARE(recent.entries().size(), 7);
        QVERIFY(!QSettings(QStringLiteral("tms-graphics-suite"), QCoreApplication::applicationName())
                     .value(QStringLiteral("recentFiles")).toStringList().contains(paths[9]));
        recent.rebuild();
        QCOMPARE(recent.menu()->actions().at(1)->text(), QStringLiteral("&2 f8.dat"));
        recent.menu()->actions().at(1)->trigger();
        QCOMPARE(opened, QStringList{paths[8]});
    }

    void droppedFileKeepsTheNamedExtensions()
    {
        QMimeData mime;
        mime.setUrls({QUrl(QStringLiteral("https://example.org/a.dat")), QUrl::fromLocalFile(QStringLiteral("/t/b.txt")),
                      QUrl::fromLocalFile(QStringLiteral("/t/C.DAT"))});
        QCOMPARE(tms::droppedFile(&mime, {QStringLiteral(".dat")}), QStringLiteral("/t/C.DAT"));
        QCOMPARE(tms::droppedFile(&mime), QStringLiteral("/t/b.txt"));
        QVERIFY(tms::droppedFile(&mime, {QStringLiteral(".pp")}).isEmpty());
    }

    void fileMenuGetsStandardKeysAndKeepsCaptions()
    {
        QMenu file;
        const QStringList names = {"Nouveau", "Ouvrir", "Sauver", "SauverSous", "Fermer", "Quitter"};
        const QStringList keys = {"Ctrl+N", "Ctrl+O", "Ctrl+S", "Ctrl+Shift+S", "Ctrl+W", "Ctrl+Q"};
        for (const QString& name : names)
            file.addAction(QStringLiteral("&") + name)->setObjectName(name);
        tms::setStandardFileShortcuts(&file);
        for (int i = 0; i < names.size(); ++i) {
            auto* action = file.findChild<QAction*>(names[i]);
            QVERIFY2(action->shortcuts().contains(QKeySequence(keys[i])), qPrintable(names[i]));
            QCOMPARE(action->text(), QStringLiteral("&") + names[i]);
        }
    }

    void fileDialogColumnsFitTheirTitles()
    {
        ScriptedDialogs dialogs;
        tms::ChooserSetup setup;
        setup.caption = QStringLiteral("Open DAT file");
        setup.pattern = QStringLiteral("*.dat");
        tms::FileChooser chooser(setup, dialogs, nullptr);
        auto* view = chooser.findChild<QTreeView*>(QStringLiteral("treeView"));
        QVERIFY(view);
        QHeaderView* header = view->header();
        for (int i = 0; i < header->count(); ++i) {
            const QString title = header->model()->headerData(i, Qt::Horizontal).toString();
            QVERIFY2(header->sectionSize(i) > view->fontMetrics().horizontalAdvance(title), qPrintable(title));
        }
    }
};

QTEST_MAIN(TestEditorAids)
#include "test_editor_aids.moc"
