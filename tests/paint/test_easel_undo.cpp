// Undo and redo in the paint program: a stroke, each scroll, a Put and an import are one
// step each, giving back the exact picture and modified flag.
#include "easel_window_fixture.h"
#include "pixel_view.h"
#include "snapshot_undo.h"

#include <QAbstractButton>
#include <QAction>
#include <QTemporaryDir>
#include <QUndoStack>
#include <QtTest>

using namespace paint;

namespace {

void drag(QWidget* view, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(view, button, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, button, {});
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, button, {}, to);
}

} // namespace

class TestEaselUndo : public QObject {
    Q_OBJECT
private slots:
    void everyCommandIsOneExactStep_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"stroke", "cmd_scroll_up", "cmd_scroll_down", "cmd_scroll_up_8", "cmd_scroll_down_8",
                                 "cmd_scroll_left", "cmd_scroll_right", "put", "import"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void everyCommandIsOneExactStep()
    {
        QFETCH(QString, kind);
        EaselWindowFixture f;
        QTemporaryDir dir;
        for (int i = 0; i < int(f->picture.bitmapPatterns.size()); ++i) // a picture with something in every row
            f->picture.bitmapPatterns[i] = std::uint8_t((i * 2654435761u) >> 24);
        f->RenderPicture();
        const Picture before = f->picture;
        if (kind == QLatin1String("stroke")) {
            drag(f->findChild<tms::PixelView*>(QStringLiteral("ECRAN")), {1, 1}, {301, 1});
            for (int x = 0; x <= 150; ++x) // no gap on the way
                QCOMPARE(pixelColor(f->picture, x, 0), f->brushColors[1]);
        } else if (kind == QLatin1String("put")) {
            auto* get = f->findChild<QAbstractButton*>(QStringLiteral("chk_get"));
            get->click();
            f->ECRAN_MouseDown(1, 0, 100, 100);
            get->click();
            QTest::mouseClick(f->findChild<tms::PixelView*>(QStringLiteral("the_picture")), Qt::RightButton, {}, {100, 100});
        } else if (kind == QLatin1String("import")) {
            QImage image(256, 192, QImage::Format_RGB32);
            image.fill(Qt::white);
            QVERIFY(image.save(dir.filePath(QStringLiteral("white.png"))));
            QVERIFY(f->importPicture(dir.filePath(QStringLiteral("white.png"))));
        } else {
            f->findChild<QAbstractButton*>(kind)->click();
        }
        const Picture after = f->picture;
        QVERIFY(!(after == before));
        const bool modifiedAfter = f->modified;
        QCOMPARE(f->findChild<QUndoStack*>(QStringLiteral("undoStack"))->count(), 1);
        f->findChild<QAction*>(QStringLiteral("Undo"))->trigger();
        QVERIFY(f->picture == before);
        QCOMPARE(f->modified, false);
        f->findChild<QAction*>(QStringLiteral("Redo"))->trigger();
        QVERIFY(f->picture == after);
        QCOMPARE(f->modified, modifiedAfter);
    }
};

QTEST_MAIN(TestEaselUndo)
#include "test_easel_undo.moc"
