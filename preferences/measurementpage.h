#pragma once

#include <vrx/configpage.h>

#include <QHash>
#include <QList>
#include <QVariant>

#include <memory>

namespace Ui {
class MeasurementPage;
}

namespace vrx {
class PrimitiveAttributesWidget;
}

/// The "Measurement" page: the default look of seven tool types, where Excel reports go, the
/// picture overlay, the cursor cross-hair and the decimals of the results.
class MeasurementPage final : public vrx::ConfigPage
{
    Q_OBJECT

public:
    explicit MeasurementPage(QWidget* parent = nullptr);
    ~MeasurementPage() override;

    void apply() override;

    /// The tool types whose look the page edits, in the order of its list.
    static QList<int> toolTypes();
    /// The attributes of `type` as they will be saved.
    QHash<QString, QVariant> toolAttributes(int type) const;

private:
    struct ToolAttributes
    {
        int type;
        QHash<QString, QVariant> attributes;
    };

    void setupAttributes();
    void setupReport();
    void setupOverlay();
    void setupOther();
    void showToolType(int index);
    /// Takes the editor's values into the shown tool type's set, if the user changed them.
    void keepEditedAttributes();
    ToolAttributes* find(int type);
    void resetAttributes(bool allTypes);

    std::unique_ptr<Ui::MeasurementPage> m_ui;
    vrx::PrimitiveAttributesWidget* m_attributesWidget;
    QList<ToolAttributes> m_tools;
    int m_shownType = -1;
    bool m_shownEdited = false;
};
