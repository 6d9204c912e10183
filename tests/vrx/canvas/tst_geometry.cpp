#include "testmain.h"

#include <vrx/geometry.h>
#include <vrx/primitivecircle.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitivefactory.h>
#include <vrx/primitivequantity.h>
#include <vrx/primitivetype.h>

#include <QtMath>
#include <cmath>
#include <limits>
#include <memory>

using vrx::PrimitiveQuantity;
using vrx::PrimitiveType;
namespace geo = vrx::geometry;

using Points = QVector<QPointF>;
/// Quantity -> expected value in pixels; every quantity not listed must be NaN.
using Expected = QMap<int, double>;
Q_DECLARE_METATYPE(Expected)

namespace {

constexpr double kPi = M_PI;

bool closeTo(double actual, double expected)
{
    if (expected == 0) {
        return std::abs(actual) <= 1e-12;
    }
    return std::abs(actual - expected) <= 1e-9 * std::abs(expected);
}

#define QCOMPARE_CLOSE(actual, expected)                                                                               \
    do {                                                                                                               \
        const double a_ = (actual), e_ = (expected);                                                                   \
        if (!closeTo(a_, e_)) {                                                                                        \
            QFAIL(qPrintable(QStringLiteral("%1 is %2, expected %3")                                                   \
                                 .arg(QStringLiteral(#actual))                                                         \
                                 .arg(a_, 0, 'g', 17)                                                                  \
                                 .arg(e_, 0, 'g', 17)));                                                               \
        }                                                                                                              \
    } while (false)

std::unique_ptr<vrx::PrimitiveDimensionTool> makeTool(int type, const Points& points)
{
    std::unique_ptr<vrx::PrimitiveDimensionTool> tool(
        dynamic_cast<vrx::PrimitiveDimensionTool*>(vrx::PrimitiveFactory::create(type)));
    if (tool && !tool->setPoints(points)) {
        tool.reset();
    }
    return tool;
}

} // namespace

class TestGeometry final : public QObject
{
    Q_OBJECT

private slots:
    void lineAngle_data();
    void lineAngle();
    void angles_data();
    void angles();
    void polygon_data();
    void polygon();
    void perpendicularAndIntersection();
    void circleFrom3Points();
    void arcFrom3Points_data();
    void arcFrom3Points();
    void twoCircles_data();
    void twoCircles();
    void niceLength_data();
    void niceLength();

    void toolValues_data();
    void toolValues();
    void collinearPointsMeasureNothing_data();
    void collinearPointsMeasureNothing();
    void circleCentre();
    void perpendicularStaysPerpendicular();
    void setPointsRejectsBadInput();
};

void TestGeometry::lineAngle_data()
{
    QTest::addColumn<QPointF>("a");
    QTest::addColumn<QPointF>("b");
    QTest::addColumn<double>("angle");
    // Screen y points down: "up" is negative y and counter-clockwise is positive.
    QTest::newRow("right") << QPointF(1, 1) << QPointF(5, 1) << 0.0;
    QTest::newRow("up") << QPointF(0, 0) << QPointF(0, -3) << 90.0;
    QTest::newRow("down") << QPointF(0, 0) << QPointF(0, 7) << 270.0;
    QTest::newRow("up-right") << QPointF(0, 0) << QPointF(4, -4) << 45.0;
    QTest::newRow("3-4-5") << QPointF(0, 0) << QPointF(3, -4) << qRadiansToDegrees(std::atan2(4.0, 3.0));
    QTest::newRow("no length") << QPointF(2, 2) << QPointF(2, 2) << 0.0;
}

void TestGeometry::lineAngle()
{
    QFETCH(QPointF, a);
    QFETCH(QPointF, b);
    QFETCH(double, angle);
    const double actual = geo::lineAngle(a, b);
    QCOMPARE_CLOSE(actual, angle);
    QVERIFY(actual >= 0 && actual < 360);
}

void TestGeometry::angles_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("angle");
    // Three points: angleAt(p0, p1, p2). Four points: angleBetweenLines(p0 -> p1, p2 -> p3).
    QTest::newRow("vertex 90") << Points{{10, 0}, {0, 0}, {0, -10}} << 90.0;
    QTest::newRow("vertex 135") << Points{{10, 0}, {0, 0}, {-10, -10}} << 135.0;
    QTest::newRow("vertex straight") << Points{{-5, 3}, {0, 3}, {5, 3}} << 180.0;
    QTest::newRow("vertex folded") << Points{{5, 3}, {0, 3}, {9, 3}} << 0.0;
    QTest::newRow("vertex zero arm") << Points{{0, 0}, {0, 0}, {5, 3}} << 0.0;
    // Far from the origin and nearly straight: no precision lost near 180 degrees.
    QTest::newRow("vertex far, nearly straight") << Points{{1e6 - 1000, 1e6}, {1e6, 1e6}, {1e6 + 1000, 1e6 + 1e-3}}
                                                 << 180.0 - qRadiansToDegrees(std::atan(1e-6));
    QTest::newRow("lines 90") << Points{{0, 0}, {10, 0}, {5, -5}, {5, 5}} << 90.0;
    QTest::newRow("lines 45, second reversed") << Points{{0, 0}, {10, 0}, {10, 10}, {20, 20}} << 45.0;
    QTest::newRow("lines parallel, opposite") << Points{{0, 0}, {10, 0}, {4, 7}, {3, 7}} << 180.0;
}

void TestGeometry::angles()
{
    QFETCH(Points, points);
    QFETCH(double, angle);
    const bool vertex = points.size() == 3;
    QCOMPARE_CLOSE(vertex ? geo::angleAt(points[0], points[1], points[2])
                          : geo::angleBetweenLines(points[0], points[1], points[2], points[3]),
                   angle);
    const auto tool = makeTool(vertex ? PrimitiveType::Angle : PrimitiveType::AngleLines, points);
    QVERIFY(tool);
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Angle), angle);
}

void TestGeometry::polygon_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("perimeter");
    QTest::addColumn<double>("area");

    QTest::newRow("3-4-5 triangle") << Points{{0, 0}, {3, 0}, {3, 4}} << 12.0 << 6.0;
    QTest::newRow("square clockwise") << Points{{0, 0}, {10, 0}, {10, 10}, {0, 10}} << 40.0 << 100.0;
    // An L: a 4 x 1 foot and a 1 x 2 upright.
    QTest::newRow("concave L") << Points{{0, 0}, {4, 0}, {4, 1}, {1, 1}, {1, 3}, {0, 3}} << 14.0 << 6.0;
    QTest::newRow("far from origin") << Points{{1e6, 1e6}, {1e6 + 3, 1e6}, {1e6 + 3, 1e6 + 4}} << 12.0 << 6.0;
    QTest::newRow("collinear") << Points{{0, 0}, {1, 0}, {3, 0}} << 6.0 << 0.0;
    QTest::newRow("two points") << Points{{0, 0}, {3, 4}} << 10.0 << 0.0;
}

void TestGeometry::polygon()
{
    QFETCH(Points, points);
    QFETCH(double, perimeter);
    QFETCH(double, area);
    QCOMPARE_CLOSE(geo::polygonPerimeter(points), perimeter);
    QCOMPARE_CLOSE(geo::polygonArea(points), area);
    const auto tool = makeTool(PrimitiveType::Polygon, points);
    if (points.size() >= 3) {
        QVERIFY(tool);
        QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Perimeter), perimeter);
        QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Area), area);
    } else {
        QVERIFY(!tool);
    }
}

void TestGeometry::perpendicularAndIntersection()
{
    QCOMPARE(geo::perpendicularFoot({20, 7}, {0, 0}, {10, 0}), QPointF(20, 0)); // beyond the segment
    QCOMPARE(geo::perpendicularFoot({3, 4}, {1, 1}, {1, 1}), QPointF(1, 1));

    QCOMPARE_CLOSE(geo::pointLineDistance({4, -3}, {0, 0}, {3, 4}), 5);
    QCOMPARE_CLOSE(geo::pointLineDistance({-7, 0}, {0, 0}, {3, 4}), 7 * 4 / 5.0);
    QCOMPARE_CLOSE(geo::pointLineDistance({4, 5}, {1, 1}, {1, 1}), 5); // a == b: distance to the point

    QPointF at;
    QVERIFY(geo::lineIntersection({0, 0}, {1, 1}, {0, 2}, {2, 0}, &at));
    QCOMPARE(at, QPointF(1, 1));
    QVERIFY(geo::lineIntersection({0, 0}, {1, 0}, {5, 3}, {5, 4}, &at)); // outside both segments
    QCOMPARE(at, QPointF(5, 0));
    QVERIFY(!geo::lineIntersection({0, 0}, {1, 1}, {0, 1}, {2, 3}, &at));
    QVERIFY(!geo::lineIntersection({0, 0}, {0, 0}, {0, 1}, {2, 3}, &at));
}

void TestGeometry::circleFrom3Points()
{
    QPointF centre;
    double radius = 0;
    // A small circle far out on a large picture.
    QVERIFY(geo::circleFrom3Points({20000, 10005}, {20005, 10000}, {19995, 10000}, &centre, &radius));
    QCOMPARE_CLOSE(centre.x(), 20000);
    QCOMPARE_CLOSE(centre.y(), 10000);
    QCOMPARE_CLOSE(radius, 5);

    QVERIFY(!geo::circleFrom3Points({0, 0}, {1, 1}, {3, 3}, &centre, &radius));
    QVERIFY(!geo::circleFrom3Points({0, 0}, {0, 0}, {3, 1}, &centre, &radius));
}

void TestGeometry::arcFrom3Points_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("sweep");

    const double s = 10 / std::sqrt(2.0);
    // Centre (0, 0), radius 10; screen up is negative y.
    QTest::newRow("quarter counter-clockwise") << Points{{10, 0}, {s, -s}, {0, -10}} << 0.0 << 90.0;
    QTest::newRow("half over the top") << Points{{10, 0}, {0, -10}, {-10, 0}} << 0.0 << 180.0;
    QTest::newRow("half under the bottom") << Points{{10, 0}, {0, 10}, {-10, 0}} << 0.0 << -180.0;
    QTest::newRow("three quarters") << Points{{10, 0}, {-10, 0}, {0, 10}} << 0.0 << 270.0;
}

void TestGeometry::arcFrom3Points()
{
    QFETCH(Points, points);
    QFETCH(double, start);
    QFETCH(double, sweep);
    geo::Arc arc;
    QVERIFY(geo::arcFrom3Points(points[0], points[1], points[2], &arc));
    QVERIFY(closeTo(arc.centre.x(), 0) && closeTo(arc.centre.y(), 0));
    QCOMPARE_CLOSE(arc.radius, 10);
    QCOMPARE_CLOSE(arc.startAngle, start);
    QCOMPARE_CLOSE(arc.sweepAngle, sweep);
    QCOMPARE_CLOSE(arc.length, 10 * kPi * std::abs(sweep) / 180);

    const auto tool = makeTool(PrimitiveType::Arc, points);
    QVERIFY(tool);
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Radius), 10);
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Length), 10 * kPi * std::abs(sweep) / 180);
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Angle), std::abs(sweep));
}

void TestGeometry::twoCircles_data()
{
    QTest::addColumn<QPointF>("c1");
    QTest::addColumn<double>("r1");
    QTest::addColumn<QPointF>("c2");
    QTest::addColumn<double>("r2");
    QTest::addColumn<double>("gap");

    QTest::newRow("apart") << QPointF(0, 0) << 2.0 << QPointF(10, 0) << 3.0 << 5.0;
    QTest::newRow("touching outside") << QPointF(0, 0) << 2.0 << QPointF(3, 4) << 3.0 << 0.0;
    QTest::newRow("crossing") << QPointF(0, 0) << 3.0 << QPointF(4, 0) << 3.0 << 0.0;
    QTest::newRow("second inside") << QPointF(0, 0) << 10.0 << QPointF(2, 0) << 3.0 << 5.0;
    QTest::newRow("first inside") << QPointF(2, 0) << 3.0 << QPointF(0, 0) << 10.0 << 5.0;
    QTest::newRow("touching inside") << QPointF(0, 0) << 10.0 << QPointF(6, 8) << 20.0 << 0.0;
    QTest::newRow("concentric") << QPointF(5, 5) << 5.0 << QPointF(5, 5) << 3.0 << 2.0;
}

void TestGeometry::twoCircles()
{
    QFETCH(QPointF, c1);
    QFETCH(double, r1);
    QFETCH(QPointF, c2);
    QFETCH(double, r2);
    QFETCH(double, gap);
    const double d = geo::distance(c1, c2);
    QCOMPARE_CLOSE(geo::circleGap(c1, r1, c2, r2), gap);
    QCOMPARE_CLOSE(geo::circleSpan(c1, r1, c2, r2), d + r1 + r2);

    // The same circles drawn as tools: each by its centre and a point straight below it.
    const Points points{c1, c1 + QPointF(0, r1), c2, c2 + QPointF(0, r2)};
    for (int type :
         {int(PrimitiveType::TwoCircles), int(PrimitiveType::TwoCirclesGap), int(PrimitiveType::TwoCirclesSpan)}) {
        const auto tool = makeTool(type, points);
        QVERIFY(tool);
        QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Radius), r1);
        QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Radius2), r2);
        QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Distance), d);
        const double edge = tool->value(PrimitiveQuantity::EdgeDistance);
        if (type == PrimitiveType::TwoCircles) {
            QVERIFY(std::isnan(edge));
        } else {
            QCOMPARE_CLOSE(edge, type == PrimitiveType::TwoCirclesGap ? gap : d + r1 + r2);
        }
    }
}

void TestGeometry::niceLength_data()
{
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("nice");

    QTest::newRow("1") << 1.0 << 1.0;
    QTest::newRow("2") << 2.0 << 2.0;
    QTest::newRow("7") << 7.0 << 5.0;
    QTest::newRow("99") << 99.0 << 50.0;
    QTest::newRow("128") << 128.0 << 100.0;
    QTest::newRow("0.3") << 0.3 << 0.2;
    QTest::newRow("0.034") << 0.034 << 0.02;
    QTest::newRow("6.4e7") << 6.4e7 << 5e7;
    QTest::newRow("zero") << 0.0 << 0.0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.0;
}

void TestGeometry::niceLength()
{
    QFETCH(double, maximum);
    QFETCH(double, nice);
    const double actual = geo::niceLength(maximum);
    QCOMPARE_CLOSE(actual, nice);
    if (maximum > 0 && std::isfinite(maximum)) {
        QVERIFY(actual <= maximum * (1 + 1e-12));
        QVERIFY(actual > maximum / 2.5 - 1e-12); // the largest round length that fits
    }
}

void TestGeometry::toolValues_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<Points>("points");
    QTest::addColumn<Expected>("expected");

    using Q = PrimitiveQuantity;
    QTest::newRow("line 3-4-5") << int(PrimitiveType::Line) << Points{{10, 10}, {13, 6}}
                                << Expected{{Q::Length, 5}, {Q::Angle, qRadiansToDegrees(std::atan2(4.0, 3.0))}};
    QTest::newRow("polyline") << int(PrimitiveType::Polyline) << Points{{0, 0}, {3, 4}, {3, 10}, {-5, 4}}
                              << Expected{{Q::Length, 5 + 6 + 10}};
    QTest::newRow("rectangle") << int(PrimitiveType::Rectangle) << Points{{1, 2}, {5, 10}}
                               << Expected{{Q::Width, 4}, {Q::Height, 8}, {Q::Perimeter, 24}, {Q::Area, 32}};
    QTest::newRow("rectangle other corners")
        << int(PrimitiveType::Rectangle) << Points{{5, 2}, {1, 10}}
        << Expected{{Q::Width, 4}, {Q::Height, 8}, {Q::Perimeter, 24}, {Q::Area, 32}};
    QTest::newRow("parallel") << int(PrimitiveType::Parallel) << Points{{0, 0}, {10, 0}, {4, 7}}
                              << Expected{{Q::Distance, 7}};
    QTest::newRow("point to line beyond the base")
        << int(PrimitiveType::PointToLine) << Points{{0, 0}, {10, 0}, {20, 5}} << Expected{{Q::Distance, 5}};
    // The fourth point slides onto the normal through the third: (7, 9) -> (3, 9).
    QTest::newRow("perpendicular") << int(PrimitiveType::Perpendicular) << Points{{0, 0}, {10, 0}, {3, 2}, {7, 9}}
                                   << Expected{{Q::Length, 7}};
    const Expected circle5{{Q::Radius, 5}, {Q::Diameter, 10}, {Q::Perimeter, 10 * kPi}, {Q::Area, 25 * kPi}};
    QTest::newRow("angle") << int(PrimitiveType::Angle) << Points{{10, 0}, {0, 0}, {0, -10}}
                           << Expected{{Q::Angle, 90}};
    QTest::newRow("two lines") << int(PrimitiveType::AngleLines) << Points{{0, 0}, {10, 0}, {5, -5}, {5, 5}}
                               << Expected{{Q::Angle, 90}};
    QTest::newRow("polygon") << int(PrimitiveType::Polygon) << Points{{0, 0}, {3, 0}, {3, 4}}
                             << Expected{{Q::Perimeter, 12}, {Q::Area, 6}};
    QTest::newRow("arc") << int(PrimitiveType::Arc) << Points{{10, 0}, {0, -10}, {-10, 0}}
                         << Expected{{Q::Radius, 10}, {Q::Length, 10 * kPi}, {Q::Angle, 180}};
    QTest::newRow("circle centre") << int(PrimitiveType::CircleCentre) << Points{{1, 1}, {4, 5}} << circle5;
    QTest::newRow("circle 3 points") << int(PrimitiveType::Circle3Points) << Points{{0, 0}, {6, 0}, {3, 9}} << circle5;
    QTest::newRow("circle diameter") << int(PrimitiveType::CircleDiameter) << Points{{0, 0}, {6, 8}} << circle5;
    QTest::newRow("annulus") << int(PrimitiveType::Annulus) << Points{{0, 0}, {5, 0}, {0, 3}}
                             << Expected{{Q::Radius, 5}, {Q::Radius2, 3}, {Q::Width, 2}, {Q::Area, 16 * kPi}};
    QTest::newRow("annulus inner first") << int(PrimitiveType::Annulus) << Points{{0, 0}, {0, 3}, {3, 4}}
                                         << Expected{
                                                {Q::Radius, 5}, {Q::Radius2, 3}, {Q::Width, 2}, {Q::Area, 16 * kPi}};
    QTest::newRow("two circles gap") << int(PrimitiveType::TwoCirclesGap) << Points{{0, 0}, {2, 0}, {10, 0}, {10, 3}}
                                     << Expected{
                                            {Q::Radius, 2}, {Q::Radius2, 3}, {Q::Distance, 10}, {Q::EdgeDistance, 5}};
    QTest::newRow("counter") << int(PrimitiveType::Counter) << Points{{1, 1}, {5, 5}, {9, 1}, {1, 1}}
                             << Expected{{Q::Count, 4}};
    QTest::newRow("arrow") << int(PrimitiveType::ArrowOpen) << Points{{0, 0}, {30, 40}} << Expected{};
    QTest::newRow("text") << int(PrimitiveType::Text) << Points{{3, 4}} << Expected{};
}

void TestGeometry::toolValues()
{
    QFETCH(int, type);
    QFETCH(Points, points);
    QFETCH(Expected, expected);
    const auto tool = makeTool(type, points);
    QVERIFY(tool);
    QVERIFY(tool->isComplete());
    for (int q = 0; q < PrimitiveQuantity::QuantityCount; ++q) {
        const double actual = tool->value(q);
        if (expected.contains(q)) {
            if (!closeTo(actual, expected[q])) {
                QFAIL(qPrintable(QStringLiteral("%1 is %2, expected %3")
                                     .arg(PrimitiveQuantity::title(q))
                                     .arg(actual, 0, 'g', 17)
                                     .arg(expected[q], 0, 'g', 17)));
            }
        } else if (!std::isnan(actual)) {
            QFAIL(qPrintable(QStringLiteral("%1 is %2, but the tool does not measure it")
                                 .arg(PrimitiveQuantity::title(q))
                                 .arg(actual)));
        }
    }
}

void TestGeometry::collinearPointsMeasureNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("circle 3 points") << int(PrimitiveType::Circle3Points);
}

void TestGeometry::collinearPointsMeasureNothing()
{
    QFETCH(int, type);
    const auto tool = makeTool(type, {{0, 0}, {5, 5}, {10, 10}});
    QVERIFY(tool); // still a tool the user can edit into shape
    for (int q = 0; q < PrimitiveQuantity::QuantityCount; ++q) {
        QVERIFY2(std::isnan(tool->value(q)), qPrintable(PrimitiveQuantity::title(q)));
    }
    QVERIFY(!tool->boundingRect().isEmpty());
}

void TestGeometry::circleCentre()
{
    QPointF centre;
    double radius = 0;
    vrx::PrimitiveCircle byDiameter(PrimitiveType::CircleDiameter);
    QVERIFY(byDiameter.setPoints({{2, 2}, {8, 10}}));
    QVERIFY(byDiameter.circle(&centre, &radius));
    QCOMPARE(centre, QPointF(5, 6));
    QCOMPARE_CLOSE(radius, 5);

    vrx::PrimitiveCircle byThree(PrimitiveType::Circle3Points);
    QVERIFY(byThree.setPoints({{0, 0}, {6, 0}, {3, 9}}));
    QVERIFY(byThree.circle(&centre, &radius));
    QVERIFY(closeTo(centre.x(), 3) && closeTo(centre.y(), 4) && closeTo(radius, 5));
    QVERIFY(!byThree.setPoints({{0, 0}, {6, 0}}));
}

void TestGeometry::perpendicularStaysPerpendicular()
{
    auto tool = makeTool(PrimitiveType::Perpendicular, {{0, 0}, {10, 0}, {3, 2}, {7, 9}});
    QVERIFY(tool);
    QCOMPARE(tool->points()[3], QPointF(3, 9));

    // Dragging the free end anywhere keeps it on the normal.
    tool->setPoint(3, {100, -4});
    QCOMPARE(tool->points()[3], QPointF(3, -4));
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Length), 6);

    // A slanted base: the segment follows when the base turns.
    tool->setPoint(1, {10, 10});
    const QVector<QPointF>& p = tool->points();
    const QPointF base = p[1] - p[0], segment = p[3] - p[2];
    QVERIFY(std::abs(base.x() * segment.x() + base.y() * segment.y()) <=
            1e-9 * geo::distance(p[0], p[1]) * std::max(1.0, geo::distance(p[2], p[3])));
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Length), geo::distance(p[2], p[3]));

    tool->setPoint(3, {3 + 50, 2 - 50}); // straight along the new normal
    QVERIFY(closeTo(tool->points()[3].x(), 53) && closeTo(tool->points()[3].y(), -48));
    QCOMPARE_CLOSE(tool->value(PrimitiveQuantity::Length), 50 * std::sqrt(2.0));
}

void TestGeometry::setPointsRejectsBadInput()
{
    auto line = makeTool(PrimitiveType::Line, {{0, 0}, {3, 4}});
    QVERIFY(line);
    QVERIFY(!line->setPoints({{0, 0}, {1, 1}, {2, 2}}));
    QVERIFY(!line->setPoints({{0, 0}, {std::numeric_limits<double>::quiet_NaN(), 1}}));
    QVERIFY(!line->setPoints({{0, 0}, {std::numeric_limits<double>::infinity(), 1}}));
    line->setPoint(1, {std::numeric_limits<double>::quiet_NaN(), 0});
    line->setPoint(7, {1, 1});
    QCOMPARE(line->points(), (Points{{0, 0}, {3, 4}}));
    QCOMPARE_CLOSE(line->value(PrimitiveQuantity::Length), 5);
    QVERIFY(!makeTool(PrimitiveType::Polyline, {{0, 0}}));
    QVERIFY(!makeTool(PrimitiveType::Counter, {}));
    QVERIFY(std::isnan(line->value(-1)));
    QVERIFY(std::isnan(line->value(PrimitiveQuantity::QuantityCount)));
}

QUARNEL_TEST_MAIN(TestGeometry)
#include "tst_geometry.moc"
