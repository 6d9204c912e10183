#include "formmeasure.h"

#include "app/settingskeys.h"
#include "app/userprompt.h"
#include "openfileprompt.h"
#include "toolsfile.h"
#include "ui_formmeasure.h"

#include <vrx/calibrationaddnewdialog.h>
#include <vrx/calibrationlistdialog.h>
#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/popuptoolbutton.h>
#include <vrx/primitiveactionmanager.h>
#include <vrx/primitiveattributeswidget.h>
#include <vrx/primitivecalibration.h>
#include <vrx/primitivecalibrationmodel.h>
#include <vrx/primitivecalibrationruler.h> // the add-new dialog header needs the complete type
#include <vrx/primitivemanager.h>
#include <vrx/primitiveunit.h>

#include <QAction>
#include <QCoreApplication>
#include <QDebug>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStyledItemDelegate>

namespace {

QAction* modeAction(int group, int id)
{
    return vrx::PrimitiveActionManager::getInstance()->action(group, id);
}

QList<QAction*> toolActions(std::initializer_list<int> types)
{
    QList<QAction*> actions;
    for (int type : types) {
        if (QAction* action = modeAction(2, type)) {
            actions << action;
        }
    }
    return actions;
}

/// A button showing one action.
void setAction(QToolButton* button, QAction* action)
{
    if (action) {
        button->setDefaultAction(action);
    }
}

/// A button offering a family of actions, the first one as the default.
void setMenuActions(QToolButton* button, const QList<QAction*>& actions)
{
    if (actions.isEmpty()) {
        return;
    }
    auto* menu = new QMenu; // the pop-up button adopts a menu without parent
    menu->addActions(actions);
    button->setMenu(menu);
    button->setPopupMode(QToolButton::MenuButtonPopup);
    button->setDefaultAction(actions.first());
}

QString toolsFileFilter()
{
    return QCoreApplication::translate("FormMeasure", "Json Files (*.json);;All Files (*.*)");
}

} // namespace

FormMeasure::FormMeasure(QWidget* parent)
    : QWidget(parent),
      m_actionScalebar(new QAction(QIcon::fromTheme(QStringLiteral("scale-bar")), tr("Scale bar"), this)),
      m_actionImport(new QAction(QIcon::fromTheme(QStringLiteral("import")), tr("Import..."), this)),
      m_actionExport(new QAction(QIcon::fromTheme(QStringLiteral("export")), tr("Export..."), this)),
      m_actionSaveHash(new QAction(QIcon::fromTheme(QStringLiteral("save")), tr("Save attributes"), this)),
      m_ui(std::make_unique<Ui::FormMeasure>())
{
    m_ui->setupUi(this);
    m_ui->categoryTitle->setObjectName(QStringLiteral("categoryTitle"));
    m_ui->categoryTitle_2->setObjectName(QStringLiteral("categoryTitle"));
    m_ui->categoryTitle_3->setObjectName(QStringLiteral("categoryTitle"));
    layout()->setContentsMargins(2, 2, 2, 2);

    m_attributesWidget = new vrx::PrimitiveAttributesWidget(this, 0);
    m_ui->scrollAreaAttributes->setWidget(m_attributesWidget);

    m_ui->comboBoxCalibrationName->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxCalibrationName));
    m_ui->comboBoxCalibrationUnit->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxCalibrationUnit));
    auto* calibrations = vrx::PrimitiveCalibrationModel::getInstance();
    m_ui->comboBoxCalibrationName->setModel(calibrations);
    m_ui->comboBoxCalibrationName->setModelColumn(vrx::PrimitiveCalibrationModel::NameColumn);
    m_ui->comboBoxCalibrationName->setCurrentIndex(-1);
    const QMap<QString, QString> units = vrx::PrimitiveUnit::fullNameList();
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        m_ui->comboBoxCalibrationUnit->addItem(QIcon(), it.value(), it.key());
    }
    m_ui->toolButtonAddNew->setIcon(QIcon::fromTheme(QStringLiteral("add-new")));
    m_ui->toolButtonList->setIcon(QIcon::fromTheme(QStringLiteral("modify")));

    m_actionScalebar->setCheckable(true);
    m_actionScalebar->setToolTip(tr("Show scale bar"));
    m_actionImport->setToolTip(tr("Import measure tools from file."));
    m_actionExport->setToolTip(tr("Export measure tools to file."));
    m_actionSaveHash->setToolTip(tr("Save as the default attributes of the tool"));
    m_actionSaveHash->setEnabled(false);
    m_ui->toolButtonSaveHash->setDefaultAction(m_actionSaveHash);
    m_ui->toolButtonScale->setDefaultAction(m_actionScalebar);

    connect(m_ui->comboBoxCalibrationName, qOverload<int>(&QComboBox::currentIndexChanged), calibrations,
            &vrx::PrimitiveCalibrationModel::checkRow);
    connect(calibrations, &vrx::PrimitiveCalibrationModel::rowChecked, this, &FormMeasure::calibrationChanged);
    connect(m_attributesWidget, &vrx::PrimitiveAttributesWidget::enabled, m_actionSaveHash, &QAction::setEnabled);
    connect(m_actionSaveHash, &QAction::triggered, this, &FormMeasure::onSaveHash);
    connect(m_actionImport, &QAction::triggered, this, &FormMeasure::importTools);
    connect(m_actionExport, &QAction::triggered, this, &FormMeasure::exportTools);
    connect(m_ui->comboBoxCalibrationUnit, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FormMeasure::calibrationUnitChanged);
}

FormMeasure::~FormMeasure() = default;

void FormMeasure::setGraphicsView(vrx::GraphicsView* view)
{
    if (!view) {
        return;
    }
    m_view = view;
    m_manager = view->primitiveManager();
    m_manager->setAttributesWidget(m_attributesWidget);
    vrx::PrimitiveActionManager::getInstance()->setGraphicsView(view);
    wirePalette();

    const bool show = QSettings().value(SettingsKeys::ShowScalebar, SettingsDefaults::ShowScalebar).toBool();
    m_manager->showScalebar(show);
    m_actionScalebar->setChecked(show);
    // Connected only now, so that restoring the state does not write it back.
    connect(m_actionScalebar, &QAction::toggled, this, &FormMeasure::onShowScalebar, Qt::UniqueConnection);

    syncCalibrationControls();
}

void FormMeasure::wirePalette()
{
    auto* actions = vrx::PrimitiveActionManager::getInstance();
    setAction(m_ui->toolButtonDrag, actions->action(0, -1));
    setAction(m_ui->toolButtonSelect, actions->action(1, -1));
    setMenuActions(m_ui->toolButtonDelete, {actions->deleteAction(), actions->deleteAllAction()});
    setMenuActions(m_ui->toolButtonImportExport, {m_actionImport, m_actionExport});
    setAction(m_ui->toolButtonScale, m_actionScalebar);
    setAction(m_ui->toolButtonLine, modeAction(2, 0x10065));
    setAction(m_ui->toolButtonPolyline, modeAction(2, 0x10067));
    setAction(m_ui->toolButtonRectange, modeAction(2, 0x10068));
    setAction(m_ui->toolButtonPolygon, modeAction(2, 0x10069));
    setAction(m_ui->toolButtonParallel, modeAction(2, 0x1006B));
    setMenuActions(m_ui->toolButtonPerpendicular, toolActions({0x1006C, 0x1006D}));
    setMenuActions(m_ui->toolButtonAngle, toolActions({0x1006F, 0x10070}));
    setAction(m_ui->toolButtonArc, modeAction(2, 0x10071));
    setMenuActions(m_ui->toolButtonCircle, toolActions({0x10072, 0x10073, 0x10074}));
    setAction(m_ui->toolButtonAnnulus, modeAction(2, 0x10075));
    setMenuActions(m_ui->toolButtonTwoCircle, toolActions({0x10076, 0x10077, 0x10078}));
    setAction(m_ui->toolButtonCounter, modeAction(2, 0x100CA));
    setAction(m_ui->toolButtonText, modeAction(2, 0x10006));
    setMenuActions(m_ui->toolButtonArrow, toolActions({0x10001, 0x10002, 0x10003, 0x10004, 0x10005}));
    setAction(m_ui->toolButtonSaveHash, m_actionSaveHash);
}

void FormMeasure::calibrationChanged(int index)
{
    if (index < 0 || !m_manager) {
        return;
    }
    switchCalibration(vrx::PrimitiveCalibrationModel::getInstance()->getCalibration(index), false);
}

void FormMeasure::calibrationNameChanged(QString name)
{
    if (name.isEmpty() || !m_manager) {
        return;
    }
    qDebug() << (name == vrx::PrimitiveCalibration::InPixelsName() ? " Measure in pixels" : " Measure by actual unit");
    switchCalibration(vrx::PrimitiveCalibrationModel::getInstance()->findCalibrationByName(name), true);
}

void FormMeasure::switchCalibration(const vrx::PrimitiveCalibration& calibration, bool byName)
{
    QComboBox* names = m_ui->comboBoxCalibrationName;
    QComboBox* units = m_ui->comboBoxCalibrationUnit;
    QString unitKey;
    {
        // The combos follow the switch; their own signals would switch a second time.
        const QSignalBlocker blockNames(names);
        const QSignalBlocker blockUnits(units);
        names->setCurrentText(calibration.name());
        if (calibration.name() == vrx::PrimitiveCalibration::InPixelsName()) {
            units->setCurrentIndex(-1);
            units->setEnabled(false);
            unitKey = vrx::PrimitiveUnit::pixelUnitKey();
        } else {
            const int unit =
                units->findData(calibration.defaultUnitKey(), Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
            units->setCurrentIndex(unit >= 0 ? unit : 0);
            units->setEnabled(true);
            unitKey = units->currentData().toString();
        }
    }
    const bool switched = byName ? m_manager->setCalibration(calibration.name(), unitKey)
                                 : m_manager->setCalibration(calibration, unitKey);
    if (!switched) {
        UserPrompt::information(this, tr("Error"),
                                tr("Unable to switch to this calibration configuration, re-calibration it or use other "
                                   "configuration."));
        syncCalibrationControls();
    }
}

void FormMeasure::calibrationUnitChanged(int index)
{
    if (!m_manager) {
        return;
    }
    const QString unitKey = m_ui->comboBoxCalibrationUnit->itemData(index).toString();
    if (!unitKey.isEmpty()) {
        m_manager->setCalibration(m_ui->comboBoxCalibrationName->currentText(), unitKey);
    }
}

void FormMeasure::syncCalibrationControls()
{
    if (!m_manager) {
        return;
    }
    const bool valid = m_manager->currentCalibrationValid();
    qDebug() << "  is current calibration valid? " << valid;
    if (!valid) {
        return;
    }
    const QString name = m_manager->currentCalibrationName();
    qDebug() << "  current calibration name: " << name;
    QComboBox* names = m_ui->comboBoxCalibrationName;
    QComboBox* units = m_ui->comboBoxCalibrationUnit;
    const QSignalBlocker blockNames(names);
    const QSignalBlocker blockUnits(units);
    names->setCurrentText(name);
    if (name == vrx::PrimitiveCalibration::InPixelsName()) {
        units->setCurrentIndex(-1);
        units->setEnabled(false);
    } else {
        units->setCurrentText(m_manager->currentUnitFullName());
        units->setEnabled(true);
    }
}

void FormMeasure::onShowScalebar(bool show)
{
    if (!m_view) {
        return;
    }
    m_manager->showScalebar(show);
    QSettings().setValue(SettingsKeys::ShowScalebar, show);
}

void FormMeasure::deleteItems()
{
    if (m_manager) {
        m_manager->deleteSelectedTools();
    }
}

void FormMeasure::on_toolButtonList_clicked()
{
    vrx::CalibrationListDialog dialog(this);
    dialog.exec();
}

void FormMeasure::on_toolButtonAddNew_clicked()
{
    if (!m_manager) {
        return;
    }
    auto* dialog = new vrx::CalibrationAddNewDialog(m_manager, this);
    dialog->show();
    // The ruler's ends are dragged in the selection mode; triggering the action checks it and
    // puts the view in that mode.
    QAction* select = modeAction(1, -1);
    if (select && !select->isChecked()) {
        select->trigger();
    }
}

void FormMeasure::onSaveHash()
{
    m_attributesWidget->saveHash();
}

QString FormMeasure::toolsFileFolder() const
{
    return QSettings()
        .value(SettingsKeys::ImportFilePath, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .toString();
}

void FormMeasure::rememberToolsFileFolder(const QString& filePath)
{
    QSettings().setValue(SettingsKeys::ImportFilePath, QFileInfo(filePath).absolutePath());
}

void FormMeasure::importTools()
{
    if (!m_manager) {
        return;
    }
    const QString path =
        OpenFilePrompt::openFileName({this, tr("Import tools..."), toolsFileFolder(), toolsFileFilter()});
    if (ToolsFile::load(path, m_manager, m_view->scene())) {
        rememberToolsFileFolder(path);
    }
}

void FormMeasure::exportTools()
{
    if (!m_manager) {
        return;
    }
    UserPrompt::SaveFileRequest request;
    request.parent = this;
    request.caption = tr("Export tools...");
    request.proposedPath = toolsFileFolder();
    request.filters = toolsFileFilter();
    const QString path = UserPrompt::saveFileName(request);
    if (ToolsFile::save(path, m_manager)) {
        rememberToolsFileFolder(path);
    }
}
