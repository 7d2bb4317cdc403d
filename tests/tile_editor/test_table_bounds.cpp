// Model functions that index the tables from their arguments keep the tables whole
// whatever the caller passes.
#include "character_editing.h"
#include "screen_editing.h"
#include "table_order.h"

#include <QtTest>

using namespace tile;

class TestTableBounds : public QObject {
    Q_OBJECT
private slots:
    void argumentsOutsideTheTablesChangeNothing()
    {
        TileDocument doc;
        const TileDocument before = doc;
        for (int bad : {-1, 8, 1000}) {
            QVERIFY(!drawCharPixel(doc, 1, bad, 0));
            QVERIFY(!drawCharPixel(doc, 1, 0, bad));
        }
        for (int colour : {-1, 16, 255})
            QVERIFY(!applyPaletteColor(doc, 17, colour));
        QVERIFY(!PlaceChar(doc, 32, 0));
        QVERIFY(!PlaceChar(doc, 0, 24));
        QVERIFY(!PlaceChar(doc, -1, -1));
        QVERIFY(doc.sameTablesAs(before));
        QVERIFY(!doc.modified);
        QCOMPARE(nameTableBytes(doc, -5, 40).size(), size_t(768)); // rows outside the screen left out
        QCOMPARE(nameTableBytes(doc, 30, 40).size(), size_t(0));
        QCOMPARE(spritePatternBytes(doc, 100).size(), size_t(64 * 32));
    }
};

QTEST_MAIN(TestTableBounds)
#include "test_table_bounds.moc"
