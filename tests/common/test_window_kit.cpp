// The shared window pieces: the pixel view, the close flow, the timer pause, and the
// widget-free row painter and image encoder beside them.
#include "close_flow.h"
#include "image_bytes.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "scripted_dialogs.h"
#include "timer_pause.h"

#include <QtTest>

class TestWindowKit : public QObject {
    Q_OBJECT
private slots:
    void viewScalesCrisplyAndReportsImagePixels()
    {
        tms::PixelView view(QStringLiteral("ECRAN"), {4, 3}, nullptr, 3);
        QCOMPARE(view.objectName(), QStringLiteral("ECRAN"));
        QCOMPARE(view.size(), QSize(12, 9));
        view.buffer().fill(Qt::red);
        view.buffer().setPixel(1, 1, qRgb(0, 0, 255));
        view.present();
        view.setFrame({0, 0, 2, 2}, Qt::green);
        QCOMPARE(view.shownImage().size(), QSize(4, 3));
        QCOMPARE(view.shownImage().pixel(0, 0), qRgb(0, 255, 0));
        QCOMPARE(view.grab().toImage().pixel(4, 4), qRgb(0, 0, 255)); // nearest neighbour
        view.present();
        QVERIFY(!view.frame());

        QList<QList<QVariant>> events;
        connect(&view, &tms::PixelView::mouseDown, [&](int b, int s, double x, double y) { events << QList<QVariant>{b, s, x, y}; });
        connect(&view, &tms::PixelView::mouseUp, [&](int b, int s, double x, double y) { events << QList<QVariant>{b, s, x, y}; });
        QTest::mousePress(&view, Qt::MiddleButton, Qt::ShiftModifier, {7, 2});
        QTest::mouseRelease(&view, Qt::MiddleButton, Qt::ShiftModifier, {7, 2});
        QCOMPARE(events.size(), 2);
        for (const QList<QVariant>& e : events)
            QCOMPARE(e, (QList<QVariant>{4, 1, 7 / 3.0, 2 / 3.0}));
        QCOMPARE(tms::buttonValue(Qt::LeftButton | Qt::RightButton), 3);
    }

    void closeFlowAsksOnlyForModifiedWorkAndKeepsUnsavedWork()
    {
        int saves = 0;
        auto save = [&](bool ok) { return [&saves, ok] { ++saves; return ok; }; };
        ScriptedDialogs dialogs;
        QVERIFY(tms::mayDiscardWork(dialogs, false, tms::closingPrompt(), save(false)));
        QVERIFY(dialogs.shown.isEmpty());
        dialogs.yesNoAnswers << false << true << true;
        QVERIFY(tms::mayDiscardWork(dialogs, true, tms::closingPrompt(), save(false))); // No
        QVERIFY(tms::mayDiscardWork(dialogs, true, tms::closingPrompt(), save(true)));
        QVERIFY(!tms::mayDiscardWork(dialogs, true, tms::endOfWindowPrompt(QStringLiteral("Q?")), save(false)));
        QCOMPARE(saves, 2);
        QCOMPARE(dialogs.shown[0].title, QStringLiteral("Warning"));
        QCOMPARE(dialogs.shown[0].text, QStringLiteral("Do you want to save the modification before closing?"));
        QCOMPARE(dialogs.shown[2].title, QStringLiteral("Warning! Unsaved modification!"));
    }

    void timerPauseClearsTickAndRestarts()
    {
        QTimer timer;
        bool tick = true;
        bool runningInside = true;
        tms::withTimerPaused(timer, tick, [&] { runningInside = timer.isActive(); });
        QVERIFY(!runningInside);
        QVERIFY(!tick);
        QVERIFY(timer.isActive());
    }

    void rowsAndBlocksStayInsideTheImage()
    {
        QImage image(20, 4, QImage::Format_RGB32);
        image.fill(Qt::black);
        const tms::ColorValue white = tms::rgbValue(255, 255, 255), blue = tms::rgbValue(0, 0, 255);
        tms::paintPatternRow(image, 0x81, white, blue, 2, 1, 2, 2); // pixels 0 and 7 set
        QCOMPARE(image.pixel(2, 1), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(4, 2), qRgb(0, 0, 255));
        QCOMPARE(image.pixel(17, 2), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(2, 3), qRgb(0, 0, 0));
        tms::fillBlock(image, -5, -5, 100, 100, blue); // clipped, no write outside
        QCOMPARE(image.pixel(19, 3), qRgb(0, 0, 255));
    }

    void encodesPngAndBmp()
    {
        QImage image(3, 2, QImage::Format_RGB32);
        image.fill(qRgb(10, 20, 30));
        for (const char* format : {"PNG", "BMP"}) {
            const std::optional<QByteArray> bytes = tms::encodeImage(image, format);
            QVERIFY(bytes);
            QCOMPARE(QImage::fromData(*bytes, format).convertToFormat(QImage::Format_RGB32), image);
        }
        QVERIFY(!tms::encodeImage(QImage(), "PNG"));
    }
};

QTEST_MAIN(TestWindowKit)
#include "test_window_kit.moc"
