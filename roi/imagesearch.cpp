#include "imagesearch.h"

#include "imagesearchconfig.h"

namespace imagesearch {

QString objectKey(const QDateTime& moment)
{
    const QDateTime local = moment.toLocalTime();
    return QStringLiteral("%1/%2/%3.png")
        .arg(local.toString(QStringLiteral("yyyyMM")), local.toString(QStringLiteral("dd")))
        .arg(local.toMSecsSinceEpoch());
}

QString destination(const ImageSearchConfig& config, const QString& key)
{
    return QStringLiteral("cos://") + config.bucket + QLatin1Char('/') + key;
}

QStringList uploadArguments(const ImageSearchConfig& config, const QString& filePath, const QString& key)
{
    return {QStringLiteral("cp"),           filePath,
            destination(config, key),       QStringLiteral("--init-skip=true"),
            QStringLiteral("--endpoint"),   config.endpoint,
            QStringLiteral("--secret-id"),  config.secretId,
            QStringLiteral("--secret-key"), config.secretKey,
            QStringLiteral("--protocol"),   QStringLiteral("http"),
            QStringLiteral("--disable-log")};
}

QString pictureUrl(const ImageSearchConfig& config, const QString& key)
{
    return QStringLiteral("http://") + config.pictureHost + QLatin1Char('/') + key;
}

QUrl searchPageUrl(const ImageSearchConfig& config, const QString& key)
{
    // toPercentEncoding() keeps exactly the unreserved characters; the strict parse keeps
    // the escapes as they are, so "/" and ":" reach the page encoded.
    const QByteArray encoded = QUrl::toPercentEncoding(pictureUrl(config, key));
    const QString page = QStringLiteral("https://") + config.searchHost + QStringLiteral("/uploadbyurl?url=");
    return QUrl::fromEncoded(page.toUtf8() + encoded, QUrl::StrictMode);
}

QString redacted(const QString& text, const ImageSearchConfig& config)
{
    QString result = text;
    for (const QString& secret : {config.secretKey, config.secretId}) {
        if (!secret.isEmpty()) {
            result.replace(secret, QStringLiteral("********"));
        }
    }
    return result;
}

} // namespace imagesearch
