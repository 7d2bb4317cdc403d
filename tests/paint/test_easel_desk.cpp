// The easel for users of other paint programs: dropped files open as Open and the
// imports do, the grid button shows its state, the side panel keeps its width.
#include "easel_window_fixture.h"
#include "file_drops.h"
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

    void droppedFilesOpenAndGridAndPanel()
    {
        EaselWindowFixture f;
        const QString pp = dir.filePath(QStringLiteral("a.pp")), grp = dir.filePath(QStringLiteral("b.grp"));
        writeFile(pp, QByteArray(10240, '\x55'));
        writeFile(grp, QByteArray(100, 0));
        f->modified = true;
        QVERIFY(dropFile(f.window.get(), grp) && f->modified); // refused by the import's check, no question
        f.dialogs.yesNoAnswers.enqueue(false);
        QVERIFY(dropFile(f.window.get(), pp));
        QVERIFY(f->fileName == pp && f->picture.bitmapPatterns[0] == 0x55 && f.dialogs.shown.size() == 2);

        auto* grid = f->findChild<QPushButton*>(QStringLiteral("cmd_grid"));
        grid->click();
        QVERIFY(grid->isChecked() && f->gridShown);
        f->Nouveau_Click();
        QVERIFY(!grid->isChecked());
        f->show();
        const int panelWidth = grid->width();
        f->resize(f->width() + 300, 100);
        QCoreApplication::processEvents();
        QVERIFY(grid->width() == panelWidth && f->height() >= 384);
    }
};

QTEST_MAIN(TestEaselDesk)
#include "test_easel_desk.moc"
