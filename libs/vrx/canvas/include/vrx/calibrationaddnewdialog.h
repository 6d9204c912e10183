#pragma once

#include <QDialog>
#include <QPointer>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;

namespace vrx {

class PrimitiveCalibrationRuler;
class PrimitiveManager;

/// Makes a calibration from a ruler on the picture. The dialog puts a calibration ruler across
/// the middle of the picture; the user drags its ends over a distance of known length, types
/// that length, picks its unit and names the calibration. OK stores it (asking before it
/// replaces one of the same name), checks it in the calibration model and switches the canvas
/// to it. The ruler goes when the dialog closes. Modeless; it deletes itself when closed.
class CalibrationAddNewDialog final : public QDialog
{
    Q_OBJECT
public:
    /// Rulers shorter than this many picture pixels are refused: too imprecise.
    static constexpr double MinimumRulerPixels = 5;

    CalibrationAddNewDialog(PrimitiveManager* manager, QWidget* parent = nullptr);
    ~CalibrationAddNewDialog() override;

    PrimitiveCalibrationRuler* ruler() const { return m_ruler; }
    /// Why the last OK was refused; empty when it was not.
    QString errorText() const;
    void setLength(double length);
    void setUnitKey(const QString& key);
    void setCalibrationName(const QString& name);

public slots:
    void accept() override;
    void done(int result) override;

private:
    void placeRuler();
    void updateRulerLength();
    void refuse(const QString& why);

    QPointer<PrimitiveManager> m_manager;
    QPointer<PrimitiveCalibrationRuler> m_ruler;
    QLabel* m_rulerLength;
    QDoubleSpinBox* m_length;
    QComboBox* m_unit;
    QLineEdit* m_name;
    QLabel* m_error;
};

} // namespace vrx
