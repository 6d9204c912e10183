#include <vrx/colorpicker.h>

#include "swatch.h"

#include <QColorDialog>
#include <QDebug>
#include <QEvent>
#include <QGridLayout>
#include <QMenu>
#include <QToolButton>
#include <QWidgetAction>

namespace vrx {

namespace {
constexpr int paletteColumns = 8;
const QSize buttonSwatchSize(28, 14);
const QSize paletteSwatchSize(16, 16);

QColor runColorDialog(const QColor& initial, QWidget* parent, const QString& title)
{
    return QColorDialog::getColor(initial.isValid() ? initial : QColor(Qt::white), parent, title);
}

ColorPicker::ColorDialog& colorDialog()
{
    static ColorPicker::ColorDialog dialog = runColorDialog;
    return dialog;
}

// Colours read back from the settings and from the dialog may differ in their spec only.
bool sameColor(const QColor& a, const QColor& b)
{
    return a.isValid() == b.isValid() && (!a.isValid() || a.rgba() == b.rgba());
}
} // namespace

ColorPicker::ColorPicker(QWidget* parent) : QPushButton(parent)
{
    setIconSize(buttonSwatchSize);
    updateSwatch();
    connect(this, &QPushButton::clicked, this, &ColorPicker::onClicked);
}

ColorPicker::~ColorPicker() = default;

QList<QColor> ColorPicker::defaultStandardColors()
{
    return {Qt::black,          Qt::darkGray,  Qt::gray,     Qt::white,      Qt::red,     QColor(255, 128, 0),
            Qt::yellow,         Qt::green,     Qt::cyan,     Qt::blue,       Qt::magenta, Qt::darkRed,
            QColor(128, 64, 0), Qt::darkGreen, Qt::darkBlue, Qt::darkMagenta};
}

void ColorPicker::setStandardColors(const QList<QColor>& colors)
{
    m_standardColors.clear();
    for (const QColor& color : colors) {
        if (color.isValid()) {
            m_standardColors << color;
        } else {
            qWarning() << "vrx::ColorPicker: an invalid standard colour was skipped";
        }
    }
    delete m_palette;
    m_palette = nullptr;
}

void ColorPicker::setColorDialog(ColorDialog dialog)
{
    colorDialog() = dialog ? std::move(dialog) : ColorDialog(runColorDialog);
}

void ColorPicker::setCurrentColor(const QColor& color)
{
    m_color = color;
    updateSwatch();
}

void ColorPicker::changeEvent(QEvent* event)
{
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange) {
        updateSwatch();
    }
}

void ColorPicker::onClicked()
{
    if (m_standardColors.isEmpty()) {
        openDialog();
        return;
    }
    if (!m_palette) {
        buildPalette();
    }
    const QList<QToolButton*> swatches = m_palette->findChildren<QToolButton*>();
    for (QToolButton* swatch : swatches) {
        swatch->setChecked(sameColor(swatch->property("color").value<QColor>(), m_color));
    }
    m_palette->popup(mapToGlobal(QPoint(0, height())));
}

void ColorPicker::openDialog()
{
    const QColor color = colorDialog()(m_color, this, tr("Select Color"));
    if (color.isValid()) {
        pick(color);
    }
}

void ColorPicker::pick(const QColor& color)
{
    if (sameColor(color, m_color)) {
        return;
    }
    setCurrentColor(color);
    emit colorChanged(m_color);
}

void ColorPicker::updateSwatch()
{
    setIcon(swatchIcon(m_color, iconSize(), palette(), devicePixelRatioF()));
}

void ColorPicker::buildPalette()
{
    m_palette = new QMenu(this);
    auto* grid = new QWidget(m_palette);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    for (int i = 0; i < m_standardColors.size(); ++i) {
        const QColor color = m_standardColors.at(i);
        auto* swatch = new QToolButton(grid);
        swatch->setAutoRaise(true);
        swatch->setCheckable(true);
        swatch->setIconSize(paletteSwatchSize);
        swatch->setIcon(swatchIcon(color, paletteSwatchSize, palette(), devicePixelRatioF()));
        swatch->setToolTip(color.name());
        swatch->setProperty("color", color);
        connect(swatch, &QToolButton::clicked, this, [this, color] {
            m_palette->hide();
            pick(color);
        });
        layout->addWidget(swatch, i / paletteColumns, i % paletteColumns);
    }
    auto* gridAction = new QWidgetAction(m_palette);
    gridAction->setDefaultWidget(grid);
    m_palette->addAction(gridAction);
    m_palette->addSeparator();
    m_palette->addAction(tr("More..."), this, &ColorPicker::openDialog);
}

} // namespace vrx
