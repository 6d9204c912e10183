#pragma once

#include "vrx/primitivecalibration.h"

#include <QList>
#include <QString>

namespace vrx {

/// The calibrations file: a JSON object {"calibrations": [...]} in the application's config
/// folder, written atomically. Reading keeps every valid entry and logs the others; a file
/// that is not readable JSON is kept aside as "<file>.corrupt" so the next save loses nothing.
class PrimitiveCalibrationStore final
{
public:
    /// `<config folder>/calibrations.json`.
    static QString defaultPath();

    explicit PrimitiveCalibrationStore(const QString& path = defaultPath());

    QString path() const { return m_path; }
    /// The stored calibrations, in file order, without the pixel calibration; a missing file
    /// is an empty list.
    QList<PrimitiveCalibration> load() const;
    /// False, with a warning logged, when the file cannot be written; the old file then stays.
    bool save(const QList<PrimitiveCalibration>& calibrations) const;

private:
    QString m_path;
};

} // namespace vrx
