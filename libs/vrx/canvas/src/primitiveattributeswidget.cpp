#include "vrx/primitiveattributeswidget.h"

#include "vrx/colorpicker.h"
#include "vrx/primitive.h"
#include "vrx/primitiveattribute.h"
#include "vrx/primitivetype.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QSpinBox>

namespace vrx {

namespace {
const QColor kShade(0, 0, 0, 128);
}

PrimitiveAttributesWidget::PrimitiveAttributesWidget(QWidget* parent, int)
    : QWidget(parent), m_penColor(new ColorPicker(this)), m_penWidth(new QSpinBox(this)),
      m_penStyle(new QComboBox(this)), m_font(new QFontComboBox(this)), m_fontSize(new QSpinBox(this)),
      m_textColor(new ColorPicker(this)), m_showLabel(new QCheckBox(tr("Show"), this)),
      m_shade(new QCheckBox(tr("Shade behind the text"), this))
{
    m_penColor->setStandardColors();
    m_textColor->setStandardColors();
    m_penWidth->setRange(1, 20);
    m_penWidth->setSuffix(tr(" px"));
    m_penStyle->addItem(tr("Solid Line"), int(Qt::SolidLine));
    m_penStyle->addItem(tr("Dash Line"), int(Qt::DashLine));
    m_penStyle->addItem(tr("Dot Line"), int(Qt::DotLine));
    m_penStyle->addItem(tr("Dash Dot Line"), int(Qt::DashDotLine));
    m_penStyle->addItem(tr("Dash Dot Dot Line"), int(Qt::DashDotDotLine));
    m_fontSize->setRange(6, 72);
    m_fontSize->setSuffix(tr(" pt"));

    auto* fontRow = new QHBoxLayout;
    fontRow->setContentsMargins(0, 0, 0, 0);
    fontRow->addWidget(m_font, 1);
    fontRow->addWidget(m_fontSize);
    auto* form = new QFormLayout(this);
    form->setContentsMargins(4, 4, 4, 4);
    form->addRow(tr("Line color"), m_penColor);
    form->addRow(tr("Line width"), m_penWidth);
    form->addRow(tr("Line style"), m_penStyle);
    form->addRow(tr("Label"), m_showLabel);
    form->addRow(tr("Font"), fontRow);
    form->addRow(tr("Text color"), m_textColor);
    form->addRow(QString(), m_shade);

    // A picker shows what the user picks by itself; the edit goes to the tools from here.
    connect(m_penColor, &ColorPicker::colorChanged, this, &PrimitiveAttributesWidget::edited);
    connect(m_textColor, &ColorPicker::colorChanged, this, &PrimitiveAttributesWidget::edited);
    connect(m_penWidth, qOverload<int>(&QSpinBox::valueChanged), this, &PrimitiveAttributesWidget::edited);
    connect(m_penStyle, qOverload<int>(&QComboBox::currentIndexChanged), this, &PrimitiveAttributesWidget::edited);
    connect(m_font, &QFontComboBox::currentFontChanged, this, &PrimitiveAttributesWidget::edited);
    connect(m_fontSize, qOverload<int>(&QSpinBox::valueChanged), this, &PrimitiveAttributesWidget::edited);
    connect(m_showLabel, &QCheckBox::toggled, this, &PrimitiveAttributesWidget::edited);
    connect(m_shade, &QCheckBox::toggled, this, &PrimitiveAttributesWidget::edited);

    setEditing(false);
}

void PrimitiveAttributesWidget::setTools(const QList<Primitive*>& tools)
{
    m_tools.clear();
    for (Primitive* tool : tools) {
        if (tool) {
            m_tools.append(tool);
        }
    }
    if (m_tools.isEmpty()) {
        m_type = -1;
        setEditing(false);
        return;
    }
    m_type = m_tools.first()->type();
    display(m_tools.first()->attributes());
    setEditing(true);
}

QList<Primitive*> PrimitiveAttributesWidget::tools() const
{
    QList<Primitive*> list;
    for (const QPointer<Primitive>& tool : m_tools) {
        if (tool) {
            list.append(tool);
        }
    }
    return list;
}

void PrimitiveAttributesWidget::setToolType(int type, const QHash<QString, QVariant>& attributes)
{
    m_tools.clear();
    m_type = type;
    QHash<QString, QVariant> shown = PrimitiveAttribute::builtinAttributes(type);
    for (auto it = attributes.cbegin(); it != attributes.cend(); ++it) {
        shown.insert(it.key(), it.value());
    }
    display(shown);
    setEditing(PrimitiveType::isKnown(type));
}

QHash<QString, QVariant> PrimitiveAttributesWidget::attributes() const
{
    QFont font = m_font->currentFont();
    font.setPointSize(m_fontSize->value());
    return {{PrimitiveAttribute::PenColor, m_penColor->currentColor()},
            {PrimitiveAttribute::PenWidth, m_penWidth->value()},
            {PrimitiveAttribute::PenStyle, m_penStyle->currentData().toInt()},
            {PrimitiveAttribute::Font, font},
            {PrimitiveAttribute::TextColor, m_textColor->currentColor()},
            {PrimitiveAttribute::ShowLabel, m_showLabel->isChecked()},
            {PrimitiveAttribute::LabelBrush, m_shade->isChecked() ? kShade : QColor(Qt::transparent)}};
}

void PrimitiveAttributesWidget::saveHash()
{
    if (PrimitiveType::isKnown(m_type)) {
        PrimitiveAttribute::saveAttributes(m_type, attributes());
    }
}

void PrimitiveAttributesWidget::display(const QHash<QString, QVariant>& attributes)
{
    // Loading is not an edit.
    const QList<QWidget*> editors = {m_penColor, m_penWidth,  m_penStyle,  m_font,
                                     m_fontSize, m_textColor, m_showLabel, m_shade};
    for (QWidget* editor : editors) {
        editor->blockSignals(true);
    }
    m_penColor->setCurrentColor(attributes.value(PrimitiveAttribute::PenColor).value<QColor>());
    m_penWidth->setValue(attributes.value(PrimitiveAttribute::PenWidth).toInt());
    const int style = m_penStyle->findData(attributes.value(PrimitiveAttribute::PenStyle).toInt());
    m_penStyle->setCurrentIndex(qMax(0, style));
    const QFont font = attributes.value(PrimitiveAttribute::Font).value<QFont>();
    m_font->setCurrentFont(font);
    m_fontSize->setValue(font.pointSize() > 0 ? font.pointSize() : 10);
    m_textColor->setCurrentColor(attributes.value(PrimitiveAttribute::TextColor).value<QColor>());
    m_showLabel->setChecked(attributes.value(PrimitiveAttribute::ShowLabel).toBool());
    m_shade->setChecked(attributes.value(PrimitiveAttribute::LabelBrush).value<QColor>().alpha() > 0);
    for (QWidget* editor : editors) {
        editor->blockSignals(false);
    }
}

void PrimitiveAttributesWidget::edited()
{
    const QHash<QString, QVariant> values = attributes();
    for (Primitive* tool : tools()) {
        tool->setAttributes(values);
    }
    emit attrChanged();
}

void PrimitiveAttributesWidget::setEditing(bool editing)
{
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        child->setEnabled(editing);
    }
    if (editing != m_editing) {
        m_editing = editing;
        emit enabled(editing);
    }
}

} // namespace vrx
