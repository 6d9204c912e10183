#pragma once

#include <QLabel>

/// A label that behaves like a hyperlink: pointing-hand cursor, underlined under the mouse,
/// and a clicked() signal for the left button.
class LinkLabel final : public QLabel
{
    Q_OBJECT

public:
    explicit LinkLabel(QWidget* parent = nullptr);
    ~LinkLabel() override;

signals:
    void clicked();
    void enter();
    void leave();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setUnderline(bool underline);
};
