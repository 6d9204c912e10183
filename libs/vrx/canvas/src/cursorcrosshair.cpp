#include "vrx/cursorcrosshair.h"

namespace vrx {

CursorCrosshair::CursorCrosshair(QObject* parent) : QObject(parent), m_pen(Qt::red, 1)
{
    m_pen.setCosmetic(true);
}

void CursorCrosshair::setPen(const QPen& pen)
{
    m_pen = pen;
    m_pen.setCosmetic(true);
    emit changed();
}

void CursorCrosshair::show(bool show)
{
    if (show != m_shown) {
        m_shown = show;
        emit changed();
    }
}

} // namespace vrx
