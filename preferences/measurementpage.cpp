#include "measurementpage.h"

#include "folderactions.h"
#include "ui_measurementpage.h"

#include <app/appsettings.h>
#include <app/savelocations.h>
#include <app/settingskeys.h>

#include <vrx/primitiveattribute.h>
#include <vrx/primitiveattributeswidget.h>

#include <QCoreApplication>
#include <QDebug>
#include <QHBoxLayout>
#include <QSettings>
#include <QStyledItemDelegate>

namespace {

// The list's texts belong to the page base's translation context.
const char* const kContext = "vrx::ConfigPage";

struct Entry
{
    const char* text;
    int value;
};

const Entry kToolTypes[] = {
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Genernal Tool"), 0x10065},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Rectange"), 0x10068},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Calibration ruler"), 0x10066},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Arrow"), 0x10001},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Annotation"), 0x10006},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Counter"), 0x100CA},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Scale bar"), 0x1012E},
};

const Entry kCrosshairStyles[] = {
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Solid Line"), Qt::SolidLine},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Dash Line"), Qt::DashLine},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Dot Line"), Qt::DotLine},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Dash Dot Line"), Qt::DashDotLine},
    {QT_TRANSLATE_NOOP("vrx::ConfigPage", "Dash Dot Dot Line"), Qt::DashDotDotLine},
};

// The order the attribute sets are written in.
const int kSaveOrder[] = {0x10065, 0x10066, 0x10068, 0x10001, 0x10006, 0x100CA, 0x1012E};

constexpr int kOverlayTypeCount = 4;
constexpr int kToolLabelTab = 1;

} // namespace

MeasurementPage::MeasurementPage(QWidget* parent)
    : vrx::ConfigPage(parent), m_ui(new Ui::MeasurementPage),
      m_attributesWidget(new vrx::PrimitiveAttributesWidget(this, 0))
{
    qRegisterMetaType<Qt::PenStyle>("Qt::PenStyle");
    m_ui->setupUi(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    m_ui->comboBoxAttr->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxAttr));

    setupAttributes();
    m_ui->tabWidget->removeTab(kToolLabelTab);
    setupReport();
    setupOverlay();
    setupOther();

    m_ui->tabWidget->setCurrentIndex(0);
    // Choosing which tool type to look at is not an edit.
    excludeFromModification(m_ui->comboBoxAttr);
    setupConnects();
}

MeasurementPage::~MeasurementPage() = default;

QList<int> MeasurementPage::toolTypes()
{
    QList<int> types;
    for (const Entry& entry : kToolTypes) {
        types << entry.value;
    }
    return types;
}

QHash<QString, QVariant> MeasurementPage::toolAttributes(int type) const
{
    if (type == m_shownType && m_shownEdited) {
        return m_attributesWidget->attributes();
    }
    for (const ToolAttributes& tool : m_tools) {
        if (tool.type == type) {
            return tool.attributes;
        }
    }
    return {};
}

void MeasurementPage::setupAttributes()
{
    auto* frameLayout = new QHBoxLayout(m_ui->frameAttr);
    frameLayout->setContentsMargins(0, 0, 0, 0);
    frameLayout->addWidget(m_attributesWidget);
    connect(m_attributesWidget, &vrx::PrimitiveAttributesWidget::attrChanged, this, [this] {
        m_shownEdited = true;
        setModified();
    });

    for (const Entry& entry : kToolTypes) {
        m_tools.append({entry.value, vrx::PrimitiveAttribute::attributes(entry.value)});
    }
    for (const Entry& entry : kToolTypes) {
        m_ui->comboBoxAttr->addItem(QCoreApplication::translate(kContext, entry.text), entry.value);
    }
    showToolType(0);
    connect(m_ui->comboBoxAttr, qOverload<int>(&QComboBox::currentIndexChanged), this, &MeasurementPage::showToolType);
    connect(m_ui->pushButtonResetAttr, &QPushButton::clicked, this, [this] { resetAttributes(false); });
    connect(m_ui->pushButtonResetAllAttr, &QPushButton::clicked, this, [this] { resetAttributes(true); });
}

void MeasurementPage::setupReport()
{
    const bool popup = QSettings().value(SettingsKeys::ReportPopup, SettingsDefaults::ReportPopup).toBool();
    m_ui->radioButtonPopup->setChecked(popup);
    m_ui->radioButtonPreDef->setChecked(!popup);
    m_ui->groupBoxPath->setEnabled(!popup);
    m_ui->lineEditPath->setText(reportFolder());

    connect(m_ui->pushButtonBrowse, &QPushButton::clicked, this,
            [this] { FolderActions::browse(m_ui->lineEditPath, reportFolder()); });
    connect(m_ui->pushButtonDefaultReportPath, &QPushButton::clicked, this,
            [this] { FolderActions::setFolder(m_ui->lineEditPath, defaultReportFolder()); });
    connect(m_ui->pushButtonOpen, &QPushButton::clicked, this,
            [this] { FolderActions::openFolder(this, m_ui->lineEditPath->text()); });
}

void MeasurementPage::setupOverlay()
{
    m_ui->pushButtonOverlayColor->setStandardColors();
    connect(m_ui->pushButtonOverlayColor, &vrx::ColorPicker::colorChanged, m_ui->pushButtonOverlayColor,
            &vrx::ColorPicker::setCurrentColor);

    const QSettings settings;
    int type = settings.value(SettingsKeys::OverlayType, SettingsDefaults::OverlayType).toInt();
    if (type < 0 || type >= kOverlayTypeCount) {
        qInfo() << "unknown overlay type" << type << "shown as no overlay";
        type = SettingsDefaults::OverlayType;
    }
    const QColor color = settings.value(SettingsKeys::OverlayColor).value<QColor>();

    m_ui->comboBoxOverlayType->setCurrentIndex(type);
    m_ui->pushButtonOverlayColor->setCurrentColor(color.isValid() ? color : SettingsDefaults::OverlayColorFallback);
    m_ui->checkBoxOverlayAntialiasing->setChecked(
        settings.value(SettingsKeys::OverlayAntialiasing, SettingsDefaults::OverlayAntialiasing).toBool());
    m_ui->spinBoxOverlayCrossScale->setValue(
        settings.value(SettingsKeys::OverlayCrossScale, SettingsDefaults::OverlayCrossScale).toInt());
    m_ui->spinBoxOverlayCircleScale->setValue(
        settings.value(SettingsKeys::OverlayCircleScale, SettingsDefaults::OverlayCircleScale).toInt());
    m_ui->spinBoxOverlayGridScale->setValue(
        settings.value(SettingsKeys::OverlayGridScale, SettingsDefaults::OverlayGridScale).toInt());
}

void MeasurementPage::setupOther()
{
    const AppSettings* settings = AppSettings::instance();
    QComboBox* styles = m_ui->comboBoxCursorCrosshairStyle;
    styles->clear();
    for (const Entry& entry : kCrosshairStyles) {
        styles->addItem(QCoreApplication::translate(kContext, entry.text),
                        QVariant::fromValue(Qt::PenStyle(entry.value)));
    }
    // The accessor turns a style outside the list into a solid line.
    const int style = settings->crosshairStyle();
    for (int i = 0; i < styles->count(); ++i) {
        if (int(styles->itemData(i).value<Qt::PenStyle>()) == style) {
            styles->setCurrentIndex(i);
        }
    }

    m_ui->pushButtonCursorCrosshairColor->setStandardColors();
    m_ui->pushButtonCursorCrosshairColor->setCurrentColor(settings->crosshairColor());
    m_ui->checkBoxCursorCrosshair->setChecked(settings->crosshairShow());
    m_ui->spinBoxCursorCrosshairWidth->setValue(settings->crosshairWidth());
    m_ui->spinBoxDecimalPlaces->setValue(settings->decimalPlaces());
}

MeasurementPage::ToolAttributes* MeasurementPage::find(int type)
{
    for (ToolAttributes& tool : m_tools) {
        if (tool.type == type) {
            return &tool;
        }
    }
    return nullptr;
}

void MeasurementPage::keepEditedAttributes()
{
    if (!m_shownEdited) {
        return;
    }
    if (ToolAttributes* tool = find(m_shownType)) {
        tool->attributes = m_attributesWidget->attributes();
    }
    m_shownEdited = false;
}

void MeasurementPage::showToolType(int index)
{
    keepEditedAttributes();
    if (index < 0 || index >= m_tools.size()) {
        return;
    }
    m_shownType = m_tools.at(index).type;
    m_attributesWidget->setToolType(m_shownType, m_tools.at(index).attributes);
}

void MeasurementPage::resetAttributes(bool allTypes)
{
    for (ToolAttributes& tool : m_tools) {
        if (allTypes || tool.type == m_shownType) {
            tool.attributes = vrx::PrimitiveAttribute::builtinAttributes(tool.type);
        }
    }
    m_shownEdited = false;
    showToolType(m_ui->comboBoxAttr->currentIndex());
    setModified();
}

void MeasurementPage::apply()
{
    qDebug() << "applying measurement setting...";
    keepEditedAttributes();
    for (int type : kSaveOrder) {
        if (const ToolAttributes* tool = find(type)) {
            vrx::PrimitiveAttribute::saveAttributes(type, tool->attributes);
        }
    }

    QSettings settings;
    settings.setValue(SettingsKeys::ReportPopup, m_ui->radioButtonPopup->isChecked());
    setReportFolder(m_ui->lineEditPath->text());
    settings.setValue(SettingsKeys::OverlayType, m_ui->comboBoxOverlayType->currentIndex());
    settings.setValue(SettingsKeys::OverlayAntialiasing, m_ui->checkBoxOverlayAntialiasing->isChecked());
    settings.setValue(SettingsKeys::OverlayColor, m_ui->pushButtonOverlayColor->currentColor());
    settings.setValue(SettingsKeys::OverlayCrossScale, m_ui->spinBoxOverlayCrossScale->value());
    settings.setValue(SettingsKeys::OverlayCircleScale, m_ui->spinBoxOverlayCircleScale->value());
    settings.setValue(SettingsKeys::OverlayGridScale, m_ui->spinBoxOverlayGridScale->value());

    AppSettings* app = AppSettings::instance();
    app->setCrosshairShow(m_ui->checkBoxCursorCrosshair->isChecked());
    app->setCrosshairColor(m_ui->pushButtonCursorCrosshairColor->currentColor());
    app->setCrosshairWidth(m_ui->spinBoxCursorCrosshairWidth->value());
    // A style that does not convert becomes 0, which the accessor stores as a solid line.
    app->setCrosshairStyle(int(m_ui->comboBoxCursorCrosshairStyle->currentData().value<Qt::PenStyle>()));
    app->setDecimalPlaces(m_ui->spinBoxDecimalPlaces->value());
}
