#include "picturewriter.h"

#include <tesk/frame.h>

#include <QDebug>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace PictureWriter {

namespace {

bool commit(QSaveFile& file, const QString& path)
{
    if (!file.commit()) {
        qWarning().noquote() << QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool open(QSaveFile& file, const QString& path)
{
    if (path.isEmpty()) {
        return false;
    }
    if (!file.open(QIODevice::WriteOnly)) {
        qWarning().noquote() << QStringLiteral("Could not create %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace

bool canWrite(int frameFormat)
{
    return frameFormat == tesk::Frame::RGB32 || frameFormat == tesk::Frame::MJPEG;
}

bool writeImage(const QImage& image, const QString& path)
{
    if (image.isNull()) {
        return false;
    }
    const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
    if (!QImageWriter::supportedImageFormats().contains(format)) {
        qWarning().noquote()
            << QStringLiteral("Could not write %1: no encoder for \"%2\" files").arg(path, QString::fromLatin1(format));
        return false;
    }
    QSaveFile file(path);
    if (!open(file, path)) {
        return false;
    }
    QImageWriter writer(&file, format);
    writer.setQuality(Quality);
    if (!writer.write(image)) {
        qWarning().noquote() << QStringLiteral("Could not write %1: %2").arg(path, writer.errorString());
        file.cancelWriting();
        return false;
    }
    return commit(file, path);
}

bool writeFrame(const tesk::Frame& frame, const QString& path)
{
    if (frame.isEmpty()) {
        return false;
    }
    if (frame.format() == tesk::Frame::RGB32) {
        const QImage image(frame.data(), frame.width(), frame.height(), frame.stride(), QImage::Format_RGB32);
        return writeImage(image, path);
    }
    if (frame.format() != tesk::Frame::MJPEG) {
        return false;
    }
    QSaveFile file(path);
    if (!open(file, path)) {
        return false;
    }
    const auto size = qint64(frame.dataSize());
    if (file.write(reinterpret_cast<const char*>(frame.data()), size) != size) {
        qWarning().noquote() << QStringLiteral("Could not write %1: %2").arg(path, file.errorString());
        file.cancelWriting();
        return false;
    }
    return commit(file, path);
}

} // namespace PictureWriter
