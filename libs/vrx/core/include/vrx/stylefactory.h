#pragma once

#include <QString>

class QStyle;

namespace vrx {

/// Makes the toolkit's application styles.
class StyleFactory final
{
public:
    enum Style
    {
        Platform = 0, ///< the platform's own style
        DarkBlue = 1, ///< Fusion with a dark navy palette and the given style sheet
    };

    /// A new style for QApplication::setStyle (which takes ownership), or null for Platform
    /// and unknown numbers. The style sheet is applied when the style is installed; a sheet
    /// that cannot be read is logged and the palette alone is used.
    static QStyle* newStyle(int style, const QString& styleSheetPath);
};

} // namespace vrx
