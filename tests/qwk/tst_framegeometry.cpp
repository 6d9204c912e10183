#include "testmain.h"

#include <qwk/framegeometry.h>

Q_DECLARE_METATYPE(Qt::Edges)

class TestFrameGeometry final : public QObject
{
    Q_OBJECT

private slots:
    void edgesAt_data();
    void edgesAt();
    void cursorFollowsEdges();
    void resizeKeepsOppositeEdges_data();
    void resizeKeepsOppositeEdges();
};

void TestFrameGeometry::edgesAt_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<Qt::Edges>("edges");

    // A 400 x 300 window (x 0..399, y 0..299) with a 6 px band.
    QTest::newRow("inside") << QPoint(6, 150) << Qt::Edges();
    QTest::newRow("left") << QPoint(5, 150) << Qt::Edges(Qt::LeftEdge);
    QTest::newRow("right") << QPoint(394, 150) << Qt::Edges(Qt::RightEdge);
    QTest::newRow("top-right") << QPoint(399, 3) << (Qt::TopEdge | Qt::RightEdge);
    QTest::newRow("bottom-left") << QPoint(2, 297) << (Qt::BottomEdge | Qt::LeftEdge);
    // Corners reach twice the band along each side.
    QTest::newRow("left, near the top corner") << QPoint(1, 11) << (Qt::TopEdge | Qt::LeftEdge);
    QTest::newRow("left, past the corner") << QPoint(1, 12) << Qt::Edges(Qt::LeftEdge);
    QTest::newRow("bottom, near the right corner") << QPoint(388, 296) << (Qt::BottomEdge | Qt::RightEdge);
    QTest::newRow("outside") << QPoint(-1, 150) << Qt::Edges();
}

void TestFrameGeometry::edgesAt()
{
    QFETCH(QPoint, pos);
    QFETCH(Qt::Edges, edges);
    QCOMPARE(QWK::resizeEdgesAt(QSize(400, 300), pos, 6), edges);
    QCOMPARE(QWK::resizeEdgesAt(QSize(400, 300), pos, 0), Qt::Edges());
}

void TestFrameGeometry::cursorFollowsEdges()
{
    QCOMPARE(QWK::resizeCursorFor(Qt::Edges()), Qt::ArrowCursor);
    QCOMPARE(QWK::resizeCursorFor(Qt::RightEdge), Qt::SizeHorCursor);
    QCOMPARE(QWK::resizeCursorFor(Qt::TopEdge), Qt::SizeVerCursor);
    QCOMPARE(QWK::resizeCursorFor(Qt::BottomEdge | Qt::RightEdge), Qt::SizeFDiagCursor);
    QCOMPARE(QWK::resizeCursorFor(Qt::BottomEdge | Qt::LeftEdge), Qt::SizeBDiagCursor);
}

void TestFrameGeometry::resizeKeepsOppositeEdges_data()
{
    QTest::addColumn<Qt::Edges>("edges");
    QTest::addColumn<QPoint>("delta");
    QTest::addColumn<QRect>("expected");

    // Start: 400 x 300 at (100, 50); minimum 200 x 150, maximum 600 x 500.
    QTest::newRow("right") << Qt::Edges(Qt::RightEdge) << QPoint(30, 99) << QRect(100, 50, 430, 300);
    QTest::newRow("left, right stays") << Qt::Edges(Qt::LeftEdge) << QPoint(-30, 0) << QRect(70, 50, 430, 300);
    QTest::newRow("bottom-right") << (Qt::BottomEdge | Qt::RightEdge) << QPoint(5, -7) << QRect(100, 50, 405, 293);
    QTest::newRow("left stops at minimum") << Qt::Edges(Qt::LeftEdge) << QPoint(350, 0) << QRect(300, 50, 200, 300);
    QTest::newRow("top stops at maximum") << Qt::Edges(Qt::TopEdge) << QPoint(0, -400) << QRect(100, -150, 400, 500);
}

void TestFrameGeometry::resizeKeepsOppositeEdges()
{
    QFETCH(Qt::Edges, edges);
    QFETCH(QPoint, delta);
    QFETCH(QRect, expected);
    QCOMPARE(QWK::resizedGeometry(QRect(100, 50, 400, 300), edges, delta, QSize(200, 150), QSize(600, 500)), expected);
}

QUARNEL_TEST_MAIN(TestFrameGeometry)
#include "tst_framegeometry.moc"
