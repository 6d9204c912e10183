#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

struct ImageSearchConfig;

/// How an image search names, uploads and finds a picture: the object key, the upload
/// tool's command line and the search page address.
namespace imagesearch {

/// "yyyyMM/dd/<milliseconds since the epoch>.png" of `moment` (local date).
QString objectKey(const QDateTime& moment);

/// The destination of the upload: "cos://<bucket>/<key>".
QString destination(const ImageSearchConfig& config, const QString& key);

/// The upload tool's arguments, in the order the tool expects them.
QStringList uploadArguments(const ImageSearchConfig& config, const QString& filePath, const QString& key);

/// "http://<picture host>/<key>", where the uploaded picture is served.
QString pictureUrl(const ImageSearchConfig& config, const QString& key);

/// The search page for the uploaded picture: "https://<search host>/uploadbyurl?url=" and
/// the picture URL with everything but letters, digits and "-._~" percent-encoded.
QUrl searchPageUrl(const ImageSearchConfig& config, const QString& key);

/// `text` with the secret id and the secret key blotted out, for the log.
QString redacted(const QString& text, const ImageSearchConfig& config);

} // namespace imagesearch
