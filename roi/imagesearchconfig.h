#pragma once

#include <QString>

/// The fixed values of an image search, read from the deployment file
/// `<tools folder>/imagesearch.ini`: where the upload tool copies the picture, with which
/// credentials, and which hosts serve the picture and the search page. Never written by the
/// program; its secrets never go to the log.
struct ImageSearchConfig
{
    QString endpoint;
    QString bucket;
    QString secretId;
    QString secretKey;
    QString pictureHost;
    QString searchHost;

    /// Reads `path`. When the file is missing or a value is absent or malformed, the result
    /// is incomplete and `problem` (if given) says what is wrong, naming keys, never values.
    static ImageSearchConfig read(const QString& path, QString* problem = nullptr);

    bool isComplete() const;
};
