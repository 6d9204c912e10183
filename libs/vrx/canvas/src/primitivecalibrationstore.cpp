#include "vrx/primitivecalibrationstore.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

namespace vrx {

namespace {
const QString kCalibrations = QStringLiteral("calibrations");
// Far more than anyone keeps; a larger file is not ours.
constexpr qint64 kMaxFileSize = 16 * 1024 * 1024;
} // namespace

QString PrimitiveCalibrationStore::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/calibrations.json");
}

PrimitiveCalibrationStore::PrimitiveCalibrationStore(const QString& path) : m_path(path) {}

QList<PrimitiveCalibration> PrimitiveCalibrationStore::load() const
{
    QList<PrimitiveCalibration> calibrations;
    QFile file(m_path);
    if (!file.exists()) {
        return calibrations;
    }
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly)) {
        qWarning().noquote() << "calibrations: cannot read" << m_path << file.errorString();
        return calibrations;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    file.close();
    if (!document.isObject() || !document.object().value(kCalibrations).isArray()) {
        const QString aside = m_path + QStringLiteral(".corrupt");
        QFile::remove(aside);
        QFile::copy(m_path, aside);
        qWarning().noquote() << "calibrations:" << m_path << "is not a calibrations file ("
                             << (parseError.error != QJsonParseError::NoError ? parseError.errorString()
                                                                              : QStringLiteral("no calibration list"))
                             << "); kept as" << aside;
        return calibrations;
    }
    QSet<QString> names;
    const QJsonArray entries = document.object().value(kCalibrations).toArray();
    for (int i = 0; i < entries.size(); ++i) {
        QString error;
        const PrimitiveCalibration calibration = PrimitiveCalibration::fromJson(entries[i].toObject(), &error);
        if (!calibration.isValid()) {
            qWarning().noquote() << "calibrations: entry" << i + 1 << "skipped:" << error;
        } else if (names.contains(calibration.name())) {
            qWarning().noquote() << "calibrations: entry" << i + 1 << "skipped: a second" << calibration.name();
        } else {
            names.insert(calibration.name());
            calibrations.append(calibration);
        }
    }
    return calibrations;
}

bool PrimitiveCalibrationStore::save(const QList<PrimitiveCalibration>& calibrations) const
{
    QJsonArray entries;
    for (const PrimitiveCalibration& calibration : calibrations) {
        if (calibration.isValid() && !calibration.isPixelCalibration()) {
            entries.append(calibration.toJson());
        }
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << "calibrations: cannot write" << m_path << file.errorString();
        return false;
    }
    file.write(QJsonDocument(QJsonObject{{kCalibrations, entries}}).toJson());
    if (!file.commit()) {
        qWarning().noquote() << "calibrations: cannot write" << m_path << file.errorString();
        return false;
    }
    return true;
}

} // namespace vrx
