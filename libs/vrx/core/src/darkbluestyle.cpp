#include "darkbluestyle.h"

#include <QApplication>
#include <QStyleFactory>

namespace vrx {

DarkBlueStyle::DarkBlueStyle(const QString& styleSheet)
    : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))), m_styleSheet(styleSheet)
{
    setObjectName(QStringLiteral("darkblue"));
}

QPalette DarkBlueStyle::darkBluePalette()
{
    const QColor window(0x1b, 0x26, 0x3b);
    const QColor base(0x12, 0x1a, 0x2b);
    const QColor button(0x24, 0x32, 0x4d);
    const QColor text(0xe6, 0xee, 0xf7);
    const QColor dimText(0x7a, 0x88, 0x9e);
    const QColor highlight(0x2f, 0x80, 0xed);

    QPalette palette;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::ToolTipBase, button);
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, dimText);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Button, button);
    palette.setColor(QPalette::ButtonText, text);
    palette.setColor(QPalette::BrightText, QColor(0xff, 0x6b, 0x6b));
    palette.setColor(QPalette::Light, button.lighter(140));
    palette.setColor(QPalette::Midlight, button.lighter(120));
    palette.setColor(QPalette::Mid, button.darker(120));
    palette.setColor(QPalette::Dark, base.darker(130));
    palette.setColor(QPalette::Shadow, QColor(0x05, 0x08, 0x10));
    palette.setColor(QPalette::Highlight, highlight);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x6c, 0xb4, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xa4, 0x8c, 0xff));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, dimText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Highlight, button.lighter(130));
    palette.setColor(QPalette::Disabled, QPalette::Base, window);
    return palette;
}

QPalette DarkBlueStyle::standardPalette() const
{
    return darkBluePalette();
}

void DarkBlueStyle::polish(QPalette& palette)
{
    palette = darkBluePalette();
}

void DarkBlueStyle::polish(QApplication* app)
{
    QProxyStyle::polish(app);
    // Setting the sheet re-polishes the application through this style, and a sheet the
    // application later replaces must stay replaced: apply it once.
    if (m_sheetApplied || m_styleSheet.isEmpty()) {
        return;
    }
    m_sheetApplied = true;
    app->setPalette(darkBluePalette());
    app->setStyleSheet(m_styleSheet);
}

} // namespace vrx
