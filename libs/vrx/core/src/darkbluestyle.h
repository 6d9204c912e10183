#pragma once

#include <QProxyStyle>

namespace vrx {

/// Fusion with a dark navy palette; installs its style sheet on the application it polishes.
class DarkBlueStyle final : public QProxyStyle
{
    Q_OBJECT

public:
    explicit DarkBlueStyle(const QString& styleSheet);

    static QPalette darkBluePalette();

    QPalette standardPalette() const override;
    void polish(QPalette& palette) override;
    void polish(QApplication* app) override;
    using QProxyStyle::polish;

private:
    QString m_styleSheet;
    bool m_sheetApplied = false;
};

} // namespace vrx
