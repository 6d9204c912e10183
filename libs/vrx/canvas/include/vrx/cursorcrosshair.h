#pragma once

#include <QObject>
#include <QPen>

namespace vrx {

/// The cursor cross-hair of a view: a full-width and full-height line through the mouse
/// position. It is drawn on the screen only, never into screenshots.
class CursorCrosshair final : public QObject
{
    Q_OBJECT
public:
    explicit CursorCrosshair(QObject* parent = nullptr);

    void setPen(const QPen& pen);
    QPen pen() const { return m_pen; }
    void show(bool show);
    bool isShown() const { return m_shown; }

signals:
    void changed();

private:
    QPen m_pen;
    bool m_shown = false;
};

} // namespace vrx
