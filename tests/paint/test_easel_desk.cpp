// What users of other paint programs expect from the easel: dropped files open as the
// Open and import commands do, the grid button shows its state, help on the buttons,
// and a side panel that keeps its width.
#include "easel_window_fixture.h"
#include "file_drops.h"
#include "pp_file.h"
#include "recent_files.h"
#include "test_files.h"

#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestEaselDesk : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }

    void droppedFilesOpenOrImport()
    {
        EaselWindowFixture f;
        const QString pp = dir.filePath(QStringLiteral("a.pp"));
        writeFile(pp, QByteArray(10240, '\x55'));
        writeFile(dir.filePath(QStringLiteral("b.grp")), QByteArray(100, 0));
        writeFile(dir.filePath(QStringLiteral("c.scr")), QByteArray(6912, '\x0F'));

        f->modified = true;
        QVERIFY(dropFile(f.window.get(), dir.filePath(QStringLiteral("b.grp"))));
        QCOMPARE(f.dialogs.shown.size(), 1); // refused by the import's check, no question
        QVERIFY(f->modified);
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(dropFile(f.window.get(), pp));
        QCOMPARE(f->fileName, pp);
        QCOMPARE(f->picture.bitmapPatterns[0], 0x55);
        QVERIFY(dropFile(f.window.get(), dir.filePath(QStringLiteral("c.scr")))); // unmodified: no question
        QVERIFY(f->fileName.isEmpty());
        QCOMPARE(f->recentFiles()->entries(), (QStringList{dir.filePath(QStringLiteral("c.scr")), pp}));
        QCOMPARE(f.dialogs.unexpected, 0);
    }

    void panelAndButtonsHelpNewUsers()
    {
        EaselWindowFixture f;
        auto* grid = f->findChild<QPushButton*>(QStringLiteral("cmd_grid"));
        grid->click();
        QVERIFY(grid->isChecked() && f->gridShown);
        f->Nouveau_Click();
        QVERIFY(!grid->isChecked());
        for (auto* button : f->findChildren<QPushButton*>())
            if (button->text() == QStringLiteral("1") || button->text() == QStringLiteral("8"))
                QVERIFY2(button->toolTip().startsWith(QStringLiteral("Scroll the picture ")), qPrintable(button->objectName()));

        f->show();
        const int panelWidth = grid->width();
        f->resize(f->width() + 300, f->height());
        QCoreApplication::processEvents();
        QCOMPARE(grid->width(), panelWidth);
        f->resize(100, 100);
        QVERIFY(f->width() >= 512 && f->height() >= 384);
    }
};

QTEST_MAIN(TestEaselDesk)
#include "test_easel_desk.moc"
