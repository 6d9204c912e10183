#pragma once

#include <QPointF>
#include <QVector>

/// Plane geometry of the measurement tools, in picture pixels. Angles are in degrees and
/// counter-clockwise as seen on screen (the picture's y axis points down).
namespace vrx::geometry {

double distance(const QPointF& a, const QPointF& b);

/// Direction of a -> b against the positive x axis, in [0, 360).
double lineAngle(const QPointF& a, const QPointF& b);

/// Angle a-vertex-b in [0, 180]; 0 when an arm has no length.
double angleAt(const QPointF& a, const QPointF& vertex, const QPointF& b);

/// Angle between the directions a -> b and c -> d, in [0, 180].
double angleBetweenLines(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d);

double polylineLength(const QVector<QPointF>& points);
double polygonPerimeter(const QVector<QPointF>& points);
/// Shoelace formula; positive whatever the winding.
double polygonArea(const QVector<QPointF>& points);

/// Foot of the perpendicular from p on the infinite line a-b (a itself when a == b).
QPointF perpendicularFoot(const QPointF& p, const QPointF& a, const QPointF& b);
/// Distance of p from the infinite line a-b.
double pointLineDistance(const QPointF& p, const QPointF& a, const QPointF& b);
/// Intersection of the infinite lines a-b and c-d; false when they are parallel.
bool lineIntersection(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d, QPointF* at);

/// The circle through three points; false when they are (nearly) collinear.
bool circleFrom3Points(const QPointF& a, const QPointF& b, const QPointF& c, QPointF* centre, double* radius);

struct Arc
{
    QPointF centre;
    double radius = 0;
    double startAngle = 0; ///< of the first point seen from the centre, degrees
    double sweepAngle = 0; ///< signed, from the first point through the second to the third
    double length = 0;
};
/// The arc from a through b to c; false when the points are collinear.
bool arcFrom3Points(const QPointF& a, const QPointF& b, const QPointF& c, Arc* arc);

double circleArea(double radius);
double circlePerimeter(double radius);
double annulusArea(double outerRadius, double innerRadius);

/// Shortest distance between two circumferences: 0 when they cross, the clearance when one
/// lies inside the other.
double circleGap(const QPointF& c1, double r1, const QPointF& c2, double r2);
/// Longest distance between two circumferences: centre distance plus both radii.
double circleSpan(const QPointF& c1, double r1, const QPointF& c2, double r2);

/// A round length (1, 2 or 5 times a power of ten) not longer than `maximum`.
double niceLength(double maximum);

} // namespace vrx::geometry
