#pragma once

#include <QImage>
#include <QWidget>

/// Shows the latest camera picture scaled to fit, or "No Image" when there is none.
class FrameView final : public QWidget
{
    Q_OBJECT

public:
    explicit FrameView(QWidget* parent = nullptr);

    void showImage(const QImage& image);
    void clear();
    const QImage& image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
};
