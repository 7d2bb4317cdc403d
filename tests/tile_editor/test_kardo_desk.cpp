// What users of other editors expect from KARDO: dropping a project on the window,
// Open Recent, tooltips, a hex box that waits for a click, a window that keeps its layout.
#include "color_swatch.h"
#include "file_drops.h"
#include "kardo_window.h"
#include "pixel_view.h"
#include "project_file.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "test_files.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

using namespace tile;

class TestKardoDesk : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }

    void droppedOrRecentProjectOpensAsOpenDoes()
    {
        ScriptedDialogs dialogs;
        KardoWindow window;
        window.setDialogs(&dialogs);
        TileDocument saved;
        saved.ResetTables();
        saved.charPatterns[65][0] = 0x81;
        const QString project = dir.filePath(QStringLiteral("level.dat"));
        QVERIFY(writeProjectFile(project, saved).ok);
        writeFile(dir.filePath(QStringLiteral("junk.dat")), "not a project");

        window.document().modified = true;
        QVERIFY(dropFile(&window, dir.filePath(QStringLiteral("junk.dat"))));
        QCOMPARE(dialogs.texts(), QStringList{QStringLiteral("Illegal DAT file")});
        QVERIFY(window.document().modified); // refused before any question

        dialogs.yesNoAnswers.enqueue(false); // do not save the unsaved work
        QVERIFY(dropFile(&window, project));
        QCOMPARE(dialogs.shown.last().text, QStringLiteral("Do you want to save the modification before closing?"));
        QCOMPARE(window.document().charPatterns[65][0], 0x81);
        QCOMPARE(window.recentFiles()->entries(), QStringList{project});
    }

    void controlsHelpNewUsers_data()
    {
        QTest::addColumn<Edition>("edition");
        QTest::newRow("kardo3") << Edition::ScreenMode2;
        QTest::newRow("kardo2") << Edition::ScreenMode1;
    }

    void controlsHelpNewUsers()
    {
        QFETCH(Edition, edition);
        ScriptedDialogs dialogs;
        KardoWindow window(edition);
        window.setDialogs(&dialogs);
        for (QWidget* control : window.findChildren<QWidget*>()) // buttons without caption, swatches
            if ((qobject_cast<QPushButton*>(control) && static_cast<QPushButton*>(control)->text().isEmpty())
                || qobject_cast<ColorSwatch*>(control))
                QVERIFY2(!control->toolTip().isEmpty(), qPrintable(control->objectName()));
        window.Form_Load(); // again, as a fresh start does: the outline stays
        if (window.colorStrip)
            QVERIFY(window.colorStrip->frame() && !window.colorStrip->toolTip().isEmpty());
        else
            QVERIFY(window.COLOR[14]->drawColor() != window.COLOR[14]->fillColor());
        QCOMPARE(window.minimumSize(), window.size());
        if (!window.TextHEX)
            return; // kardo2 has no hex box and always shows its sprites
        QVERIFY(!window.TextHEX->geometry().intersects(window.cmd_show_sprite->geometry()));

        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto before = window.document().charPatterns[32];
        QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : &window, QStringLiteral("F7"));
        QVERIFY(QApplication::focusWidget() != window.TextHEX && window.document().charPatterns[32] == before);
        window.cmd_show_sprite->click();
        QCOMPARE(window.minimumWidth(), KardoWindow::wideWidth); // the sprite panel stays whole
    }
};

QTEST_MAIN(TestKardoDesk)
#include "test_kardo_desk.moc"
