#include "vrx/primitiveattribute.h"

#include "vrx/primitivetype.h"

#include <QColor>
#include <QFont>
#include <QSettings>

namespace vrx {

const QString PrimitiveAttribute::PenColor = QStringLiteral("penColor");
const QString PrimitiveAttribute::PenWidth = QStringLiteral("penWidth");
const QString PrimitiveAttribute::PenStyle = QStringLiteral("penStyle");
const QString PrimitiveAttribute::Font = QStringLiteral("font");
const QString PrimitiveAttribute::TextColor = QStringLiteral("textColor");
const QString PrimitiveAttribute::ShowLabel = QStringLiteral("showLabel");
const QString PrimitiveAttribute::LabelBrush = QStringLiteral("labelBrush");

QString PrimitiveAttribute::settingsGroup(int type)
{
    return QStringLiteral("primitive/%1").arg(uint(type), 0, 16);
}

QHash<QString, QVariant> PrimitiveAttribute::builtinAttributes(int type)
{
    QColor pen(0, 255, 0);
    QColor text(255, 255, 0);
    switch (type) {
    case PrimitiveType::CalibrationRuler:
        pen = QColor(0, 160, 255);
        text = pen;
        break;
    case PrimitiveType::ArrowOpen:
    case PrimitiveType::ArrowFilled:
    case PrimitiveType::ArrowDouble:
    case PrimitiveType::ArrowDimension:
    case PrimitiveType::ArrowDot:
        pen = QColor(255, 0, 0);
        text = pen;
        break;
    case PrimitiveType::Text:
        text = QColor(255, 255, 255);
        pen = text;
        break;
    case PrimitiveType::Counter:
        pen = QColor(255, 0, 255);
        break;
    case PrimitiveType::ScaleBar:
        pen = QColor(255, 255, 255);
        text = pen;
        break;
    default:
        break;
    }
    QFont font;
    font.setPointSize(10);
    return {{PenColor, pen},   {PenWidth, 2},     {PenStyle, int(Qt::SolidLine)},    {Font, font},
            {TextColor, text}, {ShowLabel, true}, {LabelBrush, QColor(0, 0, 0, 128)}};
}

QHash<QString, QVariant> PrimitiveAttribute::attributes(int type)
{
    QHash<QString, QVariant> values = builtinAttributes(type);
    QSettings settings;
    settings.beginGroup(settingsGroup(type));
    for (auto it = values.begin(); it != values.end(); ++it) {
        const QVariant stored = settings.value(it.key());
        // A stored value of the wrong kind falls back to the built-in one.
        if (stored.isValid() && stored.canConvert(it.value().userType())) {
            QVariant converted = stored;
            if (converted.convert(it.value().userType())) {
                it.value() = converted;
            }
        }
    }
    return values;
}

void PrimitiveAttribute::saveAttributes(int type, const QHash<QString, QVariant>& attributes)
{
    const QHash<QString, QVariant> known = builtinAttributes(type);
    QSettings settings;
    settings.beginGroup(settingsGroup(type));
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it) {
        if (known.contains(it.key())) {
            settings.setValue(it.key(), it.value());
        }
    }
}

} // namespace vrx
