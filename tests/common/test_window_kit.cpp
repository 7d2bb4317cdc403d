// The shared window pieces: the pixel view, undo, Open Recent, the file dialog's
// columns and the about box, and the widget-free block painter beside them. (The menus'
// timer pause is tried through each editor's menus.)
#include "about_box.h"
#include "background_decode.h"
#include "file_chooser.h"
#include "pixel_rows.h"
#include "pixel_view.h"
#include "recent_files.h"
#include "scripted_dialogs.h"
#include "snapshot_undo.h"
#include "test_files.h"
#include "window_aids.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTreeView>
#include <QUndoStack>
#include <QtTest>
#include <thread>

using namespace tms;

class TestWindowKit : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }

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
        connect(&view, &tms::PixelView::mouseDown, [&](int b, int s, double x, double y) {
            events << QList<QVariant>{b, s, x, y};
        });
        connect(&view, &tms::PixelView::mouseUp, [&](int b, int s, double x, double y) {
            events << QList<QVariant>{b, s, x, y};
        });
        QTest::mousePress(&view, Qt::MiddleButton, Qt::ShiftModifier, {7, 2});
        QTest::mouseRelease(&view, Qt::MiddleButton, Qt::ShiftModifier, {7, 2});
        QCOMPARE(events.size(), 2);
        for (const QList<QVariant>& e : events)
            QCOMPARE(e, (QList<QVariant>{4, 1, 7 / 3.0, 2 / 3.0}));
    }

    // (Pattern rows are drawn in every view of the editors' tests.)
    void blocksStayInsideTheImage()
    {
        QImage image(20, 4, QImage::Format_RGB32);
        image.fill(Qt::black);
        const tms::ColorValue white = tms::rgbValue(255, 255, 255), blue = tms::rgbValue(0, 0, 255);
        tms::fillBlock(image, 30, 0, 5, 4, white); // wholly outside: nothing at all
        tms::fillBlock(image, -20, 0, 5, 4, white);
        QCOMPARE(image.pixel(2, 3), qRgb(0, 0, 0));
        tms::fillBlock(image, -5, -5, 100, 100, blue); // clipped, no write outside
        QCOMPARE(image.pixel(19, 3), qRgb(0, 0, 255));
    }

    void stepsStayWithinTheBoundAndOnlyChangesAreSteps()
    {
        QByteArray tables(400, '\0');
        bool modified = false;
        QUndoStack stack;
        const qint64 bound = 3000; // room for three steps at their largest
        tms::DocumentUndo undo(stack,
                               {[&] { return tables; },
                                [&](const QByteArray& t, bool m) {
            tables = t;
            modified = m;
                                },
                                [&] { return modified; }},
                               bound);
        quint32 seed = 1;
        for (int step = 0; step < 40; ++step)
            undo.record(QStringLiteral("Step"), [&] {
                const auto next = [&] { return seed = seed * 1664525 + 1013904223; };
                for (int i = 0; i < 8; ++i) // a few scattered bytes, or the whole table at times
                    tables[next() % 400] = char(seed >> 24);
                if (step % 10 == 0)
                    for (char& byte : tables)
                        byte = char(next() >> 24);
                modified = true;
            });
        QCOMPARE(stack.count(), 3);
        QVERIFY(undo.bytesHeld() <= bound);
        undo.record(QStringLiteral("Nothing"), [] {}); // no change, no step
        QCOMPARE(stack.undoText(), QStringLiteral("Step"));
    }

    // A fast drag is reported cell by cell; a stroke is one undo step until its last
    // button is released, even when a second button came and went.
    void strokesAreReportedCellByCellAndUndoneWhole()
    {
        tms::PixelView view(QStringLiteral("view"), {80, 80}, nullptr);
        view.setStrokeCellSize(10);
        QByteArray tables(64, '\0');
        QUndoStack stack;
        tms::DocumentUndo undo(
            stack, {[&] { return tables; }, [&](const QByteArray& t, bool) { tables = t; }, [] { return true; }});
        undo.trackStrokes(&view, QStringLiteral("Stroke"));
        QList<QPoint> cells;
        connect(&view, &tms::PixelView::mouseMove, this, [&](int, int, double x, double y) {
            cells << QPoint(int(x) / 10, int(y) / 10);
            tables[cells.last().y() * 8 + cells.last().x()] = 1;
        });
        auto move = [&](QPointF to, Qt::MouseButtons held) {
            QMouseEvent event(QEvent::MouseMove, to, to, Qt::NoButton, held, {});
            QApplication::sendEvent(&view, &event);
        };
        QTest::mousePress(&view, Qt::LeftButton, {}, {5, 5});
        move({75, 35}, Qt::LeftButton);
        QCOMPARE(cells, (QList<QPoint>{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}}));
        QTest::mousePress(&view, Qt::RightButton, {}, {75, 35});
        QTest::mouseRelease(&view, Qt::RightButton, {}, {75, 35});
        move({75, 75}, Qt::LeftButton);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, {75, 75});
        QCOMPARE(stack.count(), 1);
        stack.undo();
        QCOMPARE(tables, QByteArray(64, '\0'));
    }

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
        recent.add(paths[5]);    // again: moves first
        QFile::remove(paths[9]); // gone: dropped
        QCOMPARE(recent.entries(), (QStringList{paths[5], paths[8], paths[7], paths[6], paths[4], paths[3], paths[2]}));
        recent.rebuild();
        recent.menu()->actions().at(1)->trigger();
        QCOMPARE(opened, QStringList{paths[8]});

        // A list grown by hand to many entries: only the first eight are looked at (each
        // asks the file system), and only those that exist are kept.
        QStringList grown{paths[0], dir.filePath("gone.dat")};
        for (int i = 0; i < 1000; ++i)
            grown << paths[1];
        QSettings(QStringLiteral("tms-graphics-suite"), QCoreApplication::applicationName())
            .setValue(QStringLiteral("recentFiles"), grown);
        QCOMPARE(recent.entries(), (QStringList{paths[0], paths[1]}));
        grown = QStringList(8, dir.filePath("gone.dat")) << paths[2];
        QSettings(QStringLiteral("tms-graphics-suite"), QCoreApplication::applicationName())
            .setValue(QStringLiteral("recentFiles"), grown);
        QCOMPARE(recent.entries(), QStringList());
    }

    void fileChooserColumnsFitTheirTitles()
    {
        ScriptedDialogs dialogs;
        tms::FileChooser chooser({}, dialogs, nullptr);
        auto* view = chooser.findChild<QTreeView*>(QStringLiteral("treeView"));
        for (int i = 0; i < view->header()->count(); ++i) {
            const QString title = view->model()->headerData(i, Qt::Horizontal).toString();
            QVERIFY2(view->header()->sectionSize(i) > view->fontMetrics().horizontalAdvance(title), qPrintable(title));
        }
    }

    // A tool window goes beside its owner, on the side where it fits, never off screen.
    void toolWindowsOpenBesideTheirOwner()
    {
        const QRect screen(0, 0, 1000, 800);
        const QSize tool(300, 200);
        QCOMPARE(tms::besideOwner(QRect(100, 50, 400, 300), tool, screen), QPoint(500, 50));     // right
        QCOMPARE(tms::besideOwner(QRect(600, 50, 300, 300), tool, screen), QPoint(300, 50));     // left
        QCOMPARE(tms::besideOwner(QRect(200, 700, 700, 90), tool, screen), QPoint(0, 600));      // left edge, raised
        QCOMPARE(tms::besideOwner(QRect(100, 50, 700, 300), tool, screen), QPoint(700, 50));     // more room right
        QCOMPARE(tms::besideOwner(QRect(0, 0, 10, 10), QSize(2000, 900), screen), QPoint(0, 0)); // larger than all
    }

    // A picture decodes on a worker; a cancel ends the wait at once, even while the
    // decoder is still busy, and the busy cursor goes with the wait.
    void picturesDecodeOffTheGuiThreadAndCancel()
    {
        const auto guiThread = QThread::currentThread();
        tms::PictureLoadTask done([guiThread](const std::atomic<bool>&, QString*) {
            return std::optional<QImage>(
                QImage(QThread::currentThread() != guiThread ? 3 : 1, 2, QImage::Format_RGB32));
        });
        QSignalSpy finished(&done, &tms::PictureLoadTask::finished);
        done.start();
        QVERIFY(finished.wait(5000));
        QCOMPARE(done.result().image->size(), QSize(3, 2)); // decoded on another thread

        // A decoder that ends only when cancelled, cancelled from the progress window.
        QWidget owner;
        std::atomic<bool> decoderEnded = false;
        QTimer::singleShot(0, &owner, [&owner] {
            owner.findChild<QProgressDialog*>("decodeProgress")->findChild<QPushButton*>()->click();
        });
        const tms::DecodedPicture cancelled =
            tms::decodeWhileResponsive(&owner, "big.png", [&decoderEnded](const std::atomic<bool>& stop, QString*) {
                while (!stop)
                    std::this_thread::yield();
                decoderEnded = true;
                return std::optional<QImage>(QImage(1, 1, QImage::Format_RGB32));
            });
        QVERIFY(cancelled.cancelled && !cancelled.image);
        QVERIFY(!QApplication::overrideCursor());
        QThreadPool::globalInstance()->waitForDone();
        QVERIFY(decoderEnded); // the worker saw the cancel too
    }

    void showsIdentityAndSystemInformation()
    {
        ScriptedDialogs dialogs;
        AboutBox about({"kardo3", "1.2.3", "Tile editor."}, dialogs, nullptr);
        const QString title = about.findChild<QLabel*>("lblTitle")->text();
        QVERIFY(about.objectName() == "frmAbout" && title.contains("kardo3") && title.contains("1.2.3"));
        QCOMPARE(about.findChild<QLabel*>("lblDescription")->text(), QString("Tile editor."));

        QTest::mouseClick(about.findChild<QPushButton*>("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.shown[0].title, QString("System Info"));
        const QString info = dialogs.shown[0].text; // the offscreen platform has a screen too
        QVERIFY(info.contains("Operating system:") && info.contains(qVersion()) && info.contains("Screen:"));
    }
};

QTEST_MAIN(TestWindowKit)
#include "test_window_kit.moc"
