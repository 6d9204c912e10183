#include "vrx/calibrationaddnewdialog.h"

#include "vrx/canvasprompt.h"
#include "vrx/primitiveattribute.h"
#include "vrx/primitivecalibrationmodel.h"
#include "vrx/primitivecalibrationruler.h"
#include "vrx/primitivemanager.h"
#include "vrx/primitivetype.h"
#include "vrx/primitiveunit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGraphicsScene>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vrx {

CalibrationAddNewDialog::CalibrationAddNewDialog(PrimitiveManager* manager, QWidget* parent)
    : QDialog(parent), m_manager(manager), m_rulerLength(new QLabel(this)), m_length(new QDoubleSpinBox(this)),
      m_unit(new QComboBox(this)), m_name(new QLineEdit(this)), m_error(new QLabel(this))
{
    setWindowTitle(tr("New Calibration"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto* hint = new QLabel(tr("Drag the ends of the blue ruler on the picture over a distance you know, "
                               "then type that distance."),
                            this);
    hint->setWordWrap(true);
    m_length->setRange(0, 1e9);
    m_length->setDecimals(4);
    m_length->setValue(0);
    const QMap<QString, QString> units = PrimitiveUnit::fullNameList();
    for (auto it = units.cbegin(); it != units.cend(); ++it) {
        m_unit->addItem(it.value(), it.key());
    }
    setUnitKey(QStringLiteral("um"));
    m_name->setPlaceholderText(tr("e.g. Objective 10x"));
    m_error->setWordWrap(true);
    m_error->setStyleSheet(QStringLiteral("color: #d03030;"));
    m_error->hide();

    auto* form = new QFormLayout;
    form->addRow(tr("Ruler length:"), m_rulerLength);
    form->addRow(tr("Real length:"), m_length);
    form->addRow(tr("Unit:"), m_unit);
    form->addRow(tr("Name:"), m_name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CalibrationAddNewDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CalibrationAddNewDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(form);
    layout->addWidget(m_error);
    layout->addWidget(buttons);

    placeRuler();
}

CalibrationAddNewDialog::~CalibrationAddNewDialog()
{
    delete m_ruler;
}

void CalibrationAddNewDialog::placeRuler()
{
    if (!m_manager) {
        updateRulerLength();
        return;
    }
    // A third of the picture's width across its middle: easy to find, quick to drag.
    const QRectF picture = m_manager->scene()->sceneRect();
    const QPointF middle = picture.center();
    const double half = picture.width() / 6;
    m_ruler = new PrimitiveCalibrationRuler;
    m_ruler->setAttributes(PrimitiveAttribute::attributes(PrimitiveType::CalibrationRuler));
    m_ruler->setPoints({middle - QPointF(half, 0), middle + QPointF(half, 0)});
    m_manager->addObject(m_ruler);
    m_manager->scene()->clearSelection();
    m_ruler->setSelected(true);
    connect(m_ruler, &Primitive::geometryChanged, this, &CalibrationAddNewDialog::updateRulerLength);
    connect(m_ruler, &QObject::destroyed, this, &CalibrationAddNewDialog::updateRulerLength, Qt::QueuedConnection);
    updateRulerLength();
}

void CalibrationAddNewDialog::updateRulerLength()
{
    m_rulerLength->setText(m_ruler ? tr("%1 pixels").arg(m_ruler->pixelLength(), 0, 'f', 2) : tr("no ruler"));
}

QString CalibrationAddNewDialog::errorText() const
{
    return m_error->isVisibleTo(this) ? m_error->text() : QString();
}

void CalibrationAddNewDialog::setLength(double length)
{
    m_length->setValue(length);
}

void CalibrationAddNewDialog::setUnitKey(const QString& key)
{
    const int index = m_unit->findData(key);
    if (index >= 0) {
        m_unit->setCurrentIndex(index);
    }
}

void CalibrationAddNewDialog::setCalibrationName(const QString& name)
{
    m_name->setText(name);
}

void CalibrationAddNewDialog::refuse(const QString& why)
{
    m_error->setText(why);
    m_error->show();
}

void CalibrationAddNewDialog::accept()
{
    if (!m_manager || !m_ruler) {
        refuse(tr("The ruler is gone from the picture. Close this dialog and open it again."));
        return;
    }
    const double pixels = m_ruler->pixelLength();
    if (pixels < MinimumRulerPixels) {
        refuse(tr("The ruler is shorter than %1 pixels. Drag its ends over a longer known distance.")
                   .arg(MinimumRulerPixels));
        return;
    }
    if (!(m_length->value() > 0)) {
        refuse(tr("Type the real length of the ruler: a number greater than zero."));
        return;
    }
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        refuse(tr("Type a name for the calibration."));
        return;
    }
    if (name == PrimitiveCalibration::InPixelsName()) {
        refuse(tr("\"%1\" is the name of the pixel calibration. Choose another name.").arg(name));
        return;
    }
    PrimitiveCalibrationModel* model = PrimitiveCalibrationModel::getInstance();
    const bool exists = model->rowOf(name) >= 0;
    if (exists && !confirm(this, tr("Replace Calibration"),
                           tr("A calibration named \"%1\" exists already. Replace it?").arg(name))) {
        return;
    }
    const QString unit = m_unit->currentData().toString();
    const PrimitiveCalibration calibration(name, pixels, m_length->value(), unit);
    const int row = model->addCalibration(calibration, exists);
    if (row < 0) {
        refuse(tr("The calibration could not be made from these values."));
        return;
    }
    model->checkRow(row);
    // Without a panel listening to the model, switch the canvas here.
    if (m_manager->currentCalibration() != calibration) {
        m_manager->setCalibration(calibration, unit);
    }
    QDialog::accept();
}

void CalibrationAddNewDialog::done(int result)
{
    delete m_ruler;
    QDialog::done(result);
}

} // namespace vrx
