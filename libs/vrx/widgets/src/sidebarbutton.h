#pragma once

#include <QToolButton>

class QFontMetrics;

namespace vrx {

/// Fits a button caption into `maxWidth` pixels on at most `maxLines` lines: words wrap, and
/// what does not fit on the last line is elided.
QString fitCaption(const QString& text, const QFontMetrics& metrics, int maxWidth, int maxLines);

/// One button of the side bar: icon above a caption kept narrow enough for the strip.
class SideBarButton final : public QToolButton
{
    Q_OBJECT

public:
    explicit SideBarButton(QAction* action, QWidget* parent = nullptr);

protected:
    void actionEvent(QActionEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateCaption();
    int maxCaptionWidth() const;
};

} // namespace vrx
