#pragma once

#include <QHash>
#include <QList>
#include <QPointer>
#include <QVariant>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QSpinBox;

namespace vrx {

class ColorPicker;
class Primitive;

/// Edits the look of tools (the keys of PrimitiveAttribute): pen colour, width and style, label
/// font and size, text colour, label on or off, and the shade behind the label.
///
/// Given to a PrimitiveManager (setAttributesWidget), it follows the selection: it shows the
/// first selected tool's look and applies every edit to all selected tools at once; with
/// nothing selected it is disabled. Without a manager it edits a plain set of attributes
/// (setToolType), as the preferences do. Style 0 is a form of labelled rows, the only style.
class PrimitiveAttributesWidget final : public QWidget
{
    Q_OBJECT
public:
    explicit PrimitiveAttributesWidget(QWidget* parent = nullptr, int style = 0);

    /// The tools the edits go to (the manager sets the selected ones); empty disables.
    void setTools(const QList<Primitive*>& tools);
    QList<Primitive*> tools() const;
    /// Edits `attributes` of `type` without tools; shows them and enables the editors.
    void setToolType(int type, const QHash<QString, QVariant>& attributes);
    /// The tool type shown, -1 when none.
    int toolType() const { return m_type; }
    /// The attributes as shown.
    QHash<QString, QVariant> attributes() const;
    /// Makes the shown attributes the defaults of the shown tool type.
    void saveHash();

signals:
    /// A tool (or a tool type) is being edited, or no longer.
    void enabled(bool enabled);
    /// The user changed an attribute.
    void attrChanged();

private:
    void display(const QHash<QString, QVariant>& attributes);
    void edited();
    void setEditing(bool editing);

    int m_type = -1;
    QList<QPointer<Primitive>> m_tools;
    bool m_editing = false;
    ColorPicker* m_penColor;
    QSpinBox* m_penWidth;
    QComboBox* m_penStyle;
    QFontComboBox* m_font;
    QSpinBox* m_fontSize;
    ColorPicker* m_textColor;
    QCheckBox* m_showLabel;
    QCheckBox* m_shade;
};

} // namespace vrx
