#include "about_box.h"
#include "scripted_dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace tms;

class TestAboutBox : public QObject {
    Q_OBJECT
private slots:
    void showsIdentityAndSystemInformation()
    {
        ScriptedDialogs dialogs;
        AboutBox about({"kardo3", "1.2.3", "Tile editor."}, dialogs, nullptr);
        QCOMPARE(about.objectName(), QString("frmAbout"));
        QVERIFY(about.findChild<QLabel*>("lblTitle")->text().contains("kardo3"));
        QVERIFY(about.findChild<QLabel*>("lblTitle")->text().contains("1.2.3"));
        QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(), QString("Tile editor."));

        QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("System Info"));
        const QString info = dialogs.shown[0].text;
        QVERIFY(info.contains("Operating system:"));
        QVERIFY(info.contains(QString::fromLatin1(qVersion())));
        QVERIFY(info.contains("Screen:")); // the offscreen platform has a screen too
    }
};

QTEST_MAIN(TestAboutBox)
#include "test_about_box.moc"
