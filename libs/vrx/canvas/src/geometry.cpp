#include "vrx/geometry.h"

#include <QtMath>
#include <cmath>

namespace vrx::geometry {

namespace {

double cross(const QPointF& a, const QPointF& b)
{
    return a.x() * b.y() - a.y() * b.x();
}

double dot(const QPointF& a, const QPointF& b)
{
    return a.x() * b.x() + a.y() * b.y();
}

// Screen angle of a vector: y flipped so counter-clockwise on screen is positive.
double screenAngle(const QPointF& v)
{
    return qRadiansToDegrees(std::atan2(-v.y(), v.x()));
}

} // namespace

double distance(const QPointF& a, const QPointF& b)
{
    return std::hypot(b.x() - a.x(), b.y() - a.y());
}

double lineAngle(const QPointF& a, const QPointF& b)
{
    if (a == b) {
        return 0;
    }
    double angle = screenAngle(b - a);
    if (angle < 0) {
        angle += 360;
    }
    return angle >= 360 ? 0 : angle;
}

double angleAt(const QPointF& a, const QPointF& vertex, const QPointF& b)
{
    const QPointF u = a - vertex, v = b - vertex;
    if (u.isNull() || v.isNull()) {
        return 0;
    }
    // atan2 of cross and dot stays exact near 0 and 180 degrees, unlike acos.
    return qRadiansToDegrees(std::atan2(std::abs(cross(u, v)), dot(u, v)));
}

double angleBetweenLines(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d)
{
    return angleAt(b - a, QPointF(0, 0), d - c);
}

double polylineLength(const QVector<QPointF>& points)
{
    double length = 0;
    for (int i = 1; i < points.size(); ++i) {
        length += distance(points[i - 1], points[i]);
    }
    return length;
}

double polygonPerimeter(const QVector<QPointF>& points)
{
    if (points.size() < 2) {
        return 0;
    }
    return polylineLength(points) + distance(points.last(), points.first());
}

double polygonArea(const QVector<QPointF>& points)
{
    if (points.size() < 3) {
        return 0;
    }
    // Relative to the first point, so large picture coordinates do not cost precision.
    const QPointF origin = points.first();
    double twice = 0;
    for (int i = 1; i + 1 < points.size(); ++i) {
        twice += cross(points[i] - origin, points[i + 1] - origin);
    }
    return std::abs(twice) / 2;
}

QPointF perpendicularFoot(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const QPointF d = b - a;
    const double len2 = dot(d, d);
    if (len2 == 0) {
        return a;
    }
    return a + d * (dot(p - a, d) / len2);
}

double pointLineDistance(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const double len = distance(a, b);
    if (len == 0) {
        return distance(p, a);
    }
    return std::abs(cross(b - a, p - a)) / len;
}

bool lineIntersection(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d, QPointF* at)
{
    const QPointF r = b - a, s = d - c;
    const double denom = cross(r, s);
    const double scale = std::sqrt(dot(r, r) * dot(s, s));
    if (scale == 0 || std::abs(denom) <= 1e-12 * scale) {
        return false;
    }
    const double t = cross(c - a, s) / denom;
    if (at) {
        *at = a + r * t;
    }
    return true;
}

bool circleFrom3Points(const QPointF& a, const QPointF& b, const QPointF& c, QPointF* centre, double* radius)
{
    // Solved relative to a for precision.
    const QPointF u = b - a, v = c - a;
    const double d = 2 * cross(u, v);
    const double scale = dot(u, u) * dot(v, v);
    if (scale == 0 || std::abs(d) <= 1e-12 * std::sqrt(scale)) {
        return false;
    }
    const double uu = dot(u, u), vv = dot(v, v);
    const QPointF rel((v.y() * uu - u.y() * vv) / d, (u.x() * vv - v.x() * uu) / d);
    if (centre) {
        *centre = a + rel;
    }
    if (radius) {
        *radius = std::hypot(rel.x(), rel.y());
    }
    return true;
}

bool arcFrom3Points(const QPointF& a, const QPointF& b, const QPointF& c, Arc* arc)
{
    QPointF centre;
    double radius = 0;
    if (!circleFrom3Points(a, b, c, &centre, &radius)) {
        return false;
    }
    const double start = screenAngle(a - centre);
    const double through = screenAngle(b - centre);
    const double end = screenAngle(c - centre);
    auto ccw = [](double from, double to) {
        double d = std::fmod(to - from, 360.0);
        return d < 0 ? d + 360 : d;
    };
    // Counter-clockwise from a to c passes b, or else the arc runs clockwise.
    double sweep = ccw(start, end);
    if (ccw(start, through) > sweep) {
        sweep -= 360;
    }
    if (arc) {
        arc->centre = centre;
        arc->radius = radius;
        arc->startAngle = start;
        arc->sweepAngle = sweep;
        arc->length = radius * qDegreesToRadians(std::abs(sweep));
    }
    return true;
}

double circleArea(double radius)
{
    return M_PI * radius * radius;
}

double circlePerimeter(double radius)
{
    return 2 * M_PI * radius;
}

double annulusArea(double outerRadius, double innerRadius)
{
    return std::abs(M_PI * (outerRadius * outerRadius - innerRadius * innerRadius));
}

double circleGap(const QPointF& c1, double r1, const QPointF& c2, double r2)
{
    const double d = distance(c1, c2);
    if (d >= r1 + r2) {
        return d - r1 - r2;
    }
    if (d <= std::abs(r1 - r2)) {
        return std::abs(r1 - r2) - d;
    }
    return 0;
}

double circleSpan(const QPointF& c1, double r1, const QPointF& c2, double r2)
{
    return distance(c1, c2) + r1 + r2;
}

double niceLength(double maximum)
{
    if (!(maximum > 0) || !std::isfinite(maximum)) {
        return 0;
    }
    const double power = std::pow(10.0, std::floor(std::log10(maximum)));
    for (double step : {5.0, 2.0, 1.0}) {
        if (step * power <= maximum * (1 + 1e-12)) {
            return step * power;
        }
    }
    return power;
}

} // namespace vrx::geometry
