#include <vrx/configpage.h>

#include <vrx/colorpicker.h>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDebug>
#include <QDoubleSpinBox>
#include <QKeySequenceEdit>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTextEdit>

namespace vrx {

ConfigPage::ConfigPage(QWidget* parent) : QWidget(parent) {}

ConfigPage::~ConfigPage() = default;

void ConfigPage::markApplied()
{
    m_modified = false;
}

void ConfigPage::setModified()
{
    if (m_modified) {
        return;
    }
    m_modified = true;
    emit modified();
}

void ConfigPage::excludeFromModification(QWidget* editor)
{
    if (editor) {
        m_excluded.append(editor);
    }
}

bool ConfigPage::isExcluded(const QWidget* widget) const
{
    for (const QPointer<QWidget>& excluded : m_excluded) {
        if (excluded && (excluded == widget || excluded->isAncestorOf(widget))) {
            return true;
        }
    }
    return false;
}

void ConfigPage::setupConnects()
{
    if (m_connected) {
        qWarning() << "vrx::ConfigPage::setupConnects called twice on" << metaObject()->className();
        return;
    }
    m_connected = true;
    const QList<QWidget*> children = findChildren<QWidget*>();
    for (QWidget* child : children) {
        if (!isExcluded(child)) {
            watch(child);
        }
    }
}

void ConfigPage::watch(QWidget* editor)
{
    // The line edit inside a spin box, combo box or key-sequence edit reports through its owner.
    const QWidget* owner = editor->parentWidget();
    const bool innerEditor = qobject_cast<const QAbstractSpinBox*>(owner) || qobject_cast<const QComboBox*>(owner) ||
                             qobject_cast<const QKeySequenceEdit*>(owner);

    if (auto* picker = qobject_cast<ColorPicker*>(editor)) {
        connect(picker, &ColorPicker::colorChanged, this, &ConfigPage::setModified);
    } else if (auto* button = qobject_cast<QAbstractButton*>(editor)) {
        if (button->isCheckable()) {
            connect(button, &QAbstractButton::toggled, this, &ConfigPage::setModified);
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        if (!innerEditor) {
            connect(line, &QLineEdit::textChanged, this, &ConfigPage::setModified);
        }
    } else if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
        connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, &ConfigPage::setModified);
    } else if (auto* doubleSpin = qobject_cast<QDoubleSpinBox*>(editor)) {
        connect(doubleSpin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &ConfigPage::setModified);
    } else if (auto* dateTime = qobject_cast<QDateTimeEdit*>(editor)) {
        connect(dateTime, &QDateTimeEdit::dateTimeChanged, this, &ConfigPage::setModified);
    } else if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ConfigPage::setModified);
        if (combo->isEditable()) {
            connect(combo, &QComboBox::editTextChanged, this, &ConfigPage::setModified);
        }
    } else if (auto* keys = qobject_cast<QKeySequenceEdit*>(editor)) {
        connect(keys, &QKeySequenceEdit::keySequenceChanged, this, &ConfigPage::setModified);
    } else if (auto* slider = qobject_cast<QAbstractSlider*>(editor)) {
        // Scrolling a scroll area or a list is no edit.
        if (qobject_cast<QScrollBar*>(slider)) {
            return;
        }
        connect(slider, &QAbstractSlider::valueChanged, this, &ConfigPage::setModified);
    } else if (auto* text = qobject_cast<QTextEdit*>(editor)) {
        connect(text, &QTextEdit::textChanged, this, &ConfigPage::setModified);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(editor)) {
        connect(plain, &QPlainTextEdit::textChanged, this, &ConfigPage::setModified);
    }
}

} // namespace vrx
