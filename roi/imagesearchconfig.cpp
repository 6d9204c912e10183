#include "imagesearchconfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace {

// A list value (the INI reader splits at commas) is put back together: no value here
// has a use for commas, and a joined text is then rejected or kept as written.
QString textValue(const QSettings& settings, const QString& key)
{
    const QVariant value = settings.value(key);
    if (value.type() == QVariant::StringList) {
        return value.toStringList().join(QLatin1Char(',')).trimmed();
    }
    return value.toString().trimmed();
}

bool hasSpace(const QString& text)
{
    for (const QChar c : text) {
        if (c.isSpace()) {
            return true;
        }
    }
    return false;
}

// Host names and the bucket are used inside URLs and the destination as they are.
bool isBareName(const QString& text)
{
    return !hasSpace(text) && !text.contains(QLatin1Char('/')) && !text.contains(QLatin1Char('\\'));
}

QString tr(const char* text)
{
    return QCoreApplication::translate("ImageSearchConfig", text);
}

} // namespace

ImageSearchConfig ImageSearchConfig::read(const QString& path, QString* problem)
{
    ImageSearchConfig config;
    QString why;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        why = tr("The file %1 is missing.").arg(QDir::toNativeSeparators(path));
    } else {
        QSettings settings(path, QSettings::IniFormat);
        if (settings.status() != QSettings::NoError) {
            why = tr("The file %1 cannot be read.").arg(QDir::toNativeSeparators(path));
        } else {
            struct Entry
            {
                const char* key;
                QString* value;
                bool bareName;
            };
            const Entry entries[] = {
                {"upload/endpoint", &config.endpoint, true},        {"upload/bucket", &config.bucket, true},
                {"upload/secret_id", &config.secretId, false},      {"upload/secret_key", &config.secretKey, false},
                {"search/picture_host", &config.pictureHost, true}, {"search/search_host", &config.searchHost, true},
            };
            QStringList missing;
            QStringList malformed;
            for (const Entry& entry : entries) {
                const QString key = QString::fromLatin1(entry.key);
                const QString value = textValue(settings, key);
                if (value.isEmpty()) {
                    missing << key;
                } else if (entry.bareName ? !isBareName(value) : hasSpace(value)) {
                    malformed << key;
                } else {
                    *entry.value = value;
                }
            }
            if (!missing.isEmpty()) {
                why = tr("%1 has no value for %2.")
                          .arg(QDir::toNativeSeparators(path), missing.join(QLatin1String(", ")));
            } else if (!malformed.isEmpty()) {
                why = tr("%1: the value of %2 is not valid. Host names and the bucket are bare names without "
                         "\"http://\", slashes or blanks; no value has blanks.")
                          .arg(QDir::toNativeSeparators(path), malformed.join(QLatin1String(", ")));
            }
        }
    }
    if (!why.isEmpty()) {
        config = ImageSearchConfig();
    }
    if (problem) {
        *problem = why;
    }
    return config;
}

bool ImageSearchConfig::isComplete() const
{
    return !endpoint.isEmpty() && !bucket.isEmpty() && !secretId.isEmpty() && !secretKey.isEmpty() &&
           !pictureHost.isEmpty() && !searchHost.isEmpty();
}
