#include "testmain.h"

#include <vrx/primitiveattribute.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitivefactory.h>
#include <vrx/primitivemanager.h>
#include <vrx/primitivetype.h>

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <memory>

using vrx::Primitive;
using vrx::PrimitiveAttribute;
using vrx::PrimitiveFactory;
using vrx::PrimitiveType;

namespace {

using Attributes = QHash<QString, QVariant>;

/// Points that suit a tool of `type` and define a proper shape.
QVector<QPointF> samplePoints(const Primitive& tool)
{
    const QVector<QPointF> pool{{10.5, 20.25}, {110, 30}, {60, 120.75}, {15, 90}, {-3.125, 7}};
    const int count = tool.pointCount() > 0 ? tool.pointCount() : tool.minimumPointCount() + 1;
    return pool.mid(0, count);
}

Attributes customAttributes()
{
    QFont font(QStringLiteral("Sans"));
    font.setPointSize(13);
    font.setBold(true);
    return {{PrimitiveAttribute::PenColor, QColor(10, 20, 30, 200)}, {PrimitiveAttribute::PenWidth, 3},
            {PrimitiveAttribute::PenStyle, int(Qt::DashLine)},       {PrimitiveAttribute::Font, font},
            {PrimitiveAttribute::TextColor, QColor(250, 128, 0)},    {PrimitiveAttribute::ShowLabel, false},
            {PrimitiveAttribute::LabelBrush, QColor(0, 0, 255, 64)}};
}

QJsonObject parse(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

class TestPrimitiveFactory final : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void createsEveryType();
    void roundTrip_data();
    void roundTrip();
    void managerOrSceneTakesTheTool();
    void malformed_data();
    void malformed();
    void badAttributesKeepDefaults();
    void attributesRoundTrip();
    void storedValueOfWrongKindFallsBack_data();
    void storedValueOfWrongKindFallsBack();
};

void TestPrimitiveFactory::cleanup()
{
    QSettings().remove(QStringLiteral("primitive"));
}

void TestPrimitiveFactory::createsEveryType()
{
    QVERIFY(PrimitiveType::all().size() >= 26);
    for (int type : PrimitiveType::all()) {
        std::unique_ptr<Primitive> tool(PrimitiveFactory::create(type));
        QVERIFY2(tool, qPrintable(QString::number(type, 16)));
        QCOMPARE(tool->type(), type);
        QCOMPARE(Primitive::isDimensionTool(tool.get()), PrimitiveType::isDimension(type));
        QVERIFY(!PrimitiveType::name(type).isEmpty());
    }
    QVERIFY(!PrimitiveFactory::create(0));
    QVERIFY(!PrimitiveFactory::create(QGraphicsItem::UserType + 0x6A));
    QGraphicsRectItem rect;
    QVERIFY(!Primitive::isDimensionTool(&rect));
    QVERIFY(!Primitive::isDimensionTool(nullptr));
    // Only tools are stored.
    QVERIFY(PrimitiveFactory::toJsonObject(nullptr).isEmpty());
    QGraphicsTextItem text;
    QVERIFY(PrimitiveFactory::toJsonObject(&text).isEmpty());
}

void TestPrimitiveFactory::roundTrip_data()
{
    QTest::addColumn<int>("type");
    for (int type : PrimitiveType::all()) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(type, 0, 16).arg(PrimitiveType::name(type)))) << type;
    }
}

void TestPrimitiveFactory::roundTrip()
{
    QFETCH(int, type);
    std::unique_ptr<Primitive> original(PrimitiveFactory::create(type));
    QVERIFY(original->setPoints(samplePoints(*original)));
    original->setAttributes(customAttributes());
    original->setPos(12.5, -7.25);
    auto* dimension = dynamic_cast<vrx::PrimitiveDimensionTool*>(original.get());
    if (dimension) {
        dimension->setNote(QStringLiteral("n\u00b0 3: \"edge\" \u2713\nsecond line"));
    }

    // Through a file's text, as the tools file stores it.
    const QByteArray text = QJsonDocument(PrimitiveFactory::toJsonObject(original.get())).toJson();
    const QJsonObject json = parse(text);
    QCOMPARE(json.value(QStringLiteral("type")).toInt(), type);

    QGraphicsScene scene;
    double x = 0, y = 0;
    QGraphicsObject* object = PrimitiveFactory::getObject(json, &x, &y, nullptr, &scene);
    QVERIFY2(object, text.constData());
    auto* copy = dynamic_cast<Primitive*>(object);
    QVERIFY(copy);
    QCOMPARE(copy->type(), type);
    QCOMPARE(copy->points(), original->points());
    QCOMPARE(QPointF(x, y), QPointF(12.5, -7.25));
    QCOMPARE(copy->pos(), QPointF(12.5, -7.25));
    QCOMPARE(copy->attributes(), original->attributes());
    QCOMPARE(copy->pen(), original->pen());
    if (dimension) {
        auto* copied = dynamic_cast<vrx::PrimitiveDimensionTool*>(copy);
        QVERIFY(copied);
        QCOMPARE(copied->note(), dimension->note());
        for (int q = 0; q < vrx::PrimitiveQuantity::QuantityCount; ++q) {
            const double a = copied->value(q), b = dimension->value(q);
            QVERIFY((std::isnan(a) && std::isnan(b)) || a == b);
        }
    } else {
        QVERIFY(!json.contains(QStringLiteral("note")));
    }
}

void TestPrimitiveFactory::managerOrSceneTakesTheTool()
{
    std::unique_ptr<Primitive> line(PrimitiveFactory::create(PrimitiveType::Line));
    QVERIFY(line->setPoints({{0, 0}, {30, 40}}));
    const QJsonObject json = PrimitiveFactory::toJsonObject(line.get());

    // With a manager, the manager places the tool; the factory only formats it.
    QGraphicsScene scene;
    vrx::PrimitiveManager manager(&scene);
    QGraphicsObject* object = PrimitiveFactory::getObject(json, nullptr, nullptr, &manager, &scene);
    QVERIFY(object);
    QVERIFY(!object->scene());
    QCOMPARE(static_cast<Primitive*>(object)->manager(), &manager);
    manager.addObject(object);
    QCOMPARE(manager.dimensionModel()->index(0, 2).data().toDouble(), 50.0);

    // Without either, the caller owns it.
    std::unique_ptr<QGraphicsObject> loose(PrimitiveFactory::getObject(json, nullptr, nullptr, nullptr, nullptr));
    QVERIFY(loose);
    QVERIFY(!loose->scene());
    manager.deleteAllTools(true);
}

void TestPrimitiveFactory::malformed_data()
{
    QTest::addColumn<QByteArray>("json");
    const QByteArray line = QByteArray::number(int(PrimitiveType::Line));
    const QByteArray polygon = QByteArray::number(int(PrimitiveType::Polygon));
    const QByteArray counter = QByteArray::number(int(PrimitiveType::Counter));
    const QByteArray circle3 = QByteArray::number(int(PrimitiveType::Circle3Points));
    const QByteArray points = R"("points": [[0, 0], [10, 5]])";

    QTest::newRow("empty object") << QByteArray("{}");
    QTest::newRow("not an object") << QByteArray("[1, 2]");
    QTest::newRow("missing type") << "{" + points + "}";
    QTest::newRow("unknown type") << "{\"type\": 12345, " + points + "}";
    QTest::newRow("negative type") << "{\"type\": -" + line + ", " + points + "}";
    QTest::newRow("fractional type") << "{\"type\": " + line + ".5, " + points + "}";
    QTest::newRow("type as string") << "{\"type\": \"" + line + "\", " + points + "}";
    QTest::newRow("type beyond int") << "{\"type\": 4294967296" + line + ", " + points + "}";
    QTest::newRow("no points") << "{\"type\": " + line + "}";
    QTest::newRow("points an object") << "{\"type\": " + line + ", \"points\": {\"0\": [0, 0], \"1\": [1, 1]}}";
    QTest::newRow("point with 3 numbers") << "{\"type\": " + line + ", \"points\": [[0, 0], [1, 2, 3]]}";
    QTest::newRow("point of strings") << "{\"type\": " + line + ", \"points\": [[\"0\", \"0\"], [\"1\", \"1\"]]}";
    QTest::newRow("point with null") << "{\"type\": " + line + ", \"points\": [[0, null], [1, 1]]}";
    QTest::newRow("huge coordinate") << "{\"type\": " + line + ", \"points\": [[1e300, 0], [1, 1]]}";
    QTest::newRow("overflowing coordinate") << "{\"type\": " + line + ", \"points\": [[1e999, 0], [1, 1]]}";
    QTest::newRow("huge position") << "{\"type\": " + line + ", \"x\": 1e300, " + points + "}";
    QTest::newRow("position a string") << "{\"type\": " + line + ", \"y\": \"5\", " + points + "}";
    QTest::newRow("line with 3 points") << "{\"type\": " + line + ", \"points\": [[0, 0], [1, 1], [2, 0]]}";
    QTest::newRow("polygon with 2 points") << "{\"type\": " + polygon + ", " + points + "}";
    QTest::newRow("counter without marks") << "{\"type\": " + counter + ", \"points\": []}";
    QTest::newRow("3-point circle with 2") << "{\"type\": " + circle3 + ", " + points + "}";
}

void TestPrimitiveFactory::malformed()
{
    QFETCH(QByteArray, json);
    const QJsonObject object = parse(json);
    QGraphicsScene scene;
    vrx::PrimitiveManager manager(&scene);
    double x = 7, y = 8;
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^tool object")));
    QGraphicsObject* tool = PrimitiveFactory::getObject(object, &x, &y, &manager, &scene);
    QCOMPARE(tool, nullptr);
    QVERIFY(scene.items().isEmpty());
    QCOMPARE(manager.dimensionModel()->rowCount(), 0);
    QCOMPARE(QPointF(x, y), QPointF(7, 8)); // the caller's position is left alone
}

void TestPrimitiveFactory::badAttributesKeepDefaults()
{
    const QByteArray json = "{\"type\": " + QByteArray::number(int(PrimitiveType::Rectangle)) +
                            R"(, "points": [[0, 0], [10, 5]], "note": 17,
        "attributes": {"penColor": 5, "penWidth": "wide", "penStyle": 1e300, "font": [1],
                       "textColor": "not a colour", "showLabel": "no", "labelBrush": null, "other": 1}})";
    std::unique_ptr<QGraphicsObject> object(
        PrimitiveFactory::getObject(parse(json), nullptr, nullptr, nullptr, nullptr));
    QVERIFY(object);
    auto* tool = static_cast<vrx::PrimitiveDimensionTool*>(object.get());
    QCOMPARE(tool->value(vrx::PrimitiveQuantity::Area), 50.0);
    QCOMPARE(tool->note(), QString()); // a note that is not a string is dropped
    QCOMPARE(tool->attributes(), PrimitiveAttribute::attributes(PrimitiveType::Rectangle));

    // A pen style out of range or a silly width is clamped by the tool, not trusted.
    const QByteArray odd = "{\"type\": " + QByteArray::number(int(PrimitiveType::Line)) +
                           R"(, "points": [[0, 0], [10, 5]], "attributes": {"penWidth": 5000, "penStyle": 42}})";
    std::unique_ptr<QGraphicsObject> clamped(
        PrimitiveFactory::getObject(parse(odd), nullptr, nullptr, nullptr, nullptr));
    QVERIFY(clamped);
    const QPen pen = static_cast<Primitive*>(clamped.get())->pen();
    QVERIFY(pen.width() >= 1 && pen.width() <= 20);
    QCOMPARE(pen.style(), Qt::SolidLine);
}

void TestPrimitiveFactory::attributesRoundTrip()
{
    const Attributes builtin = PrimitiveAttribute::builtinAttributes(PrimitiveType::Line);
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Line), builtin);

    Attributes saved = customAttributes();
    saved.insert(QStringLiteral("bogus"), 5); // unknown keys are not stored
    PrimitiveAttribute::saveAttributes(PrimitiveType::Line, saved);
    saved.remove(QStringLiteral("bogus"));
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Line), saved);
    QSettings settings;
    QCOMPARE(PrimitiveAttribute::settingsGroup(PrimitiveType::Line), QStringLiteral("primitive/10065"));
    QVERIFY(!settings.contains(PrimitiveAttribute::settingsGroup(PrimitiveType::Line) + QStringLiteral("/bogus")));

    // Other types keep theirs; a partial save keeps the other keys' defaults.
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Rectangle),
             PrimitiveAttribute::builtinAttributes(PrimitiveType::Rectangle));
    PrimitiveAttribute::saveAttributes(PrimitiveType::Rectangle, {{PrimitiveAttribute::PenWidth, 7}});
    Attributes rectangle = PrimitiveAttribute::builtinAttributes(PrimitiveType::Rectangle);
    rectangle[PrimitiveAttribute::PenWidth] = 7;
    QCOMPARE(PrimitiveAttribute::attributes(PrimitiveType::Rectangle), rectangle);

    // Defaults survive the settings file being read again.
    settings.sync();
    QSettings reread;
    QCOMPARE(reread.value(PrimitiveAttribute::settingsGroup(PrimitiveType::Line) + QStringLiteral("/penWidth")).toInt(),
             3);
}

void TestPrimitiveFactory::storedValueOfWrongKindFallsBack_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::newRow("width as text") << PrimitiveAttribute::PenWidth << QVariant(QStringLiteral("wide"));
    QTest::newRow("pen colour as text") << PrimitiveAttribute::PenColor << QVariant(QStringLiteral("not a colour"));
    QTest::newRow("text colour as number") << PrimitiveAttribute::TextColor << QVariant(12);
    QTest::newRow("font as list") << PrimitiveAttribute::Font << QVariant(QStringList{QStringLiteral("a")});
}

void TestPrimitiveFactory::storedValueOfWrongKindFallsBack()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    {
        QSettings settings;
        settings.setValue(PrimitiveAttribute::settingsGroup(PrimitiveType::Arc) + QLatin1Char('/') + key, stored);
    }
    const Attributes attributes = PrimitiveAttribute::attributes(PrimitiveType::Arc);
    const Attributes builtin = PrimitiveAttribute::builtinAttributes(PrimitiveType::Arc);
    QCOMPARE(attributes.value(key).userType(), builtin.value(key).userType());
    QCOMPARE(attributes, builtin);
}

QUARNEL_TEST_MAIN(TestPrimitiveFactory)
#include "tst_primitivefactory.moc"
