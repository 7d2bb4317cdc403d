// The undo steps of the window kit: redo drops after a new action, the byte bound holds
// however many steps are pushed, the modified flag follows the last save, and a fast
// drag is reported cell by cell.
#include "pixel_view.h"
#include "snapshot_undo.h"

#include <QUndoStack>
#include <QtTest>

class TestSnapshotUndo : public QObject {
    Q_OBJECT
private slots:
    void stepsUndoRedoAndStayWithinTheBound()
    {
        QByteArray tables(400, '\0');
        bool modified = false;
        QUndoStack stack;
        const qint64 bound = 3000; // room for three steps at their largest
        tms::DocumentUndo undo(stack, {[&] { return tables; }, [&](const QByteArray& t, bool m) { tables = t; modified = m; },
                                       [&] { return modified; }},
                               bound);
        quint32 seed = 1;
        for (int step = 0; step < 100000; ++step)
            undo.record(QStringLiteral("Step"), [&] {
                const auto next = [&] { return seed = seed * 1664525 + 1013904223; };
                for (int i = 0; i < 8; ++i) // a few scattered bytes, or the whole table at times
                    tables[next() % 400] = char(seed >> 24);
                if (step % 1000 == 0)
                    for (char& byte : tables)
                        byte = char(next() >> 24);
                modified = true;
            });
        QCOMPARE(stack.count(), 3);
        QVERIFY(undo.bytesHeld() <= bound);

        const QByteArray last = tables;
        modified = false;
        undo.markSaved();
        undo.record(QStringLiteral("Change"), [&] { tables[0] = char(tables[0] + 1); modified = true; });
        undo.record(QStringLiteral("Nothing"), [] {});
        QCOMPARE(stack.undoText(), QStringLiteral("Change"));
        stack.undo();
        QCOMPARE(tables, last);
        QCOMPARE(modified, false);
        stack.redo();
        QCOMPARE(modified, true);
        stack.undo();
        undo.record(QStringLiteral("Other"), [&] { tables[1] = char(tables[1] + 1); });
        QVERIFY(!stack.canRedo());
        undo.clear();
        QCOMPARE(undo.bytesHeld(), 0);

        modified = false; // a fresh document: draw, save, undo the drawing
        undo.record(QStringLiteral("Draw"), [&] { tables[2] = char(tables[2] + 1); modified = true; });
        modified = false;
        undo.markSaved();
        stack.undo();
        QCOMPARE(modified, true); // no longer what was saved
        stack.redo();
        QCOMPARE(modified, false);
    }

    void fastDragIsReportedCellByCell()
    {
        tms::PixelView view(QStringLiteral("view"), {80, 80}, nullptr);
        view.setStrokeCellSize(10);
        QList<QPoint> cells;
        connect(&view, &tms::PixelView::mouseMove, this, [&](int, int, double x, double y) { cells << QPoint(int(x) / 10, int(y) / 10); });
        QTest::mousePress(&view, Qt::LeftButton, {}, {5, 5});
        QMouseEvent move(QEvent::MouseMove, QPointF(75, 35), QPointF(75, 35), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(&view, &move);
        QCOMPARE(cells, (QList<QPoint>{{1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}, {6, 3}, {7, 3}}));
    }
};

QTEST_MAIN(TestSnapshotUndo)
#include "test_snapshot_undo.moc"
