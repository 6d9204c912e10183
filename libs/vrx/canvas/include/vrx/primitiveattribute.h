#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

namespace vrx {

/// The default look of each tool type, kept in the settings store under
/// "primitive/<type in hex>". Keys of the hash are the constants below.
class PrimitiveAttribute final
{
public:
    static const QString PenColor;   ///< QColor
    static const QString PenWidth;   ///< int, screen pixels (the pen is cosmetic)
    static const QString PenStyle;   ///< int, Qt::PenStyle
    static const QString Font;       ///< QFont of the value label
    static const QString TextColor;  ///< QColor of the value label
    static const QString ShowLabel;  ///< bool
    static const QString LabelBrush; ///< QColor behind the label text; transparent for none

    /// The stored defaults of `type`, every key filled (built-in values where nothing is stored).
    static QHash<QString, QVariant> attributes(int type);
    /// Stores the known keys of `attributes` as the defaults of `type`.
    static void saveAttributes(int type, const QHash<QString, QVariant>& attributes);
    /// The built-in defaults, ignoring the settings store.
    static QHash<QString, QVariant> builtinAttributes(int type);
    /// Settings group of a type, e.g. "primitive/10065".
    static QString settingsGroup(int type);
};

} // namespace vrx
