#pragma once

#include <QIcon>

class QColor;
class QPalette;
class QSize;

namespace vrx {

/// An icon of `size` filled with `color` and framed so it stands out on light and dark
/// backgrounds; an invalid colour gives an empty frame crossed by a diagonal.
QIcon swatchIcon(const QColor& color, const QSize& size, const QPalette& palette, qreal devicePixelRatio);

} // namespace vrx
