#pragma once

#include <roi/googlelens.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

/// A tools folder of our own for GoogleLens: a made-up deployment file and a shell script in
/// place of the upload tool, which writes its arguments and working directory to files there.
/// Opened URLs are recorded, never opened.
class FakeUploadTool final
{
public:
    static constexpr const char* SecretId = "AKIDt3stOnlyNotARealId0123456789abcd";
    static constexpr const char* SecretKey = "t3stOnlyNotARealKey0123456789xyz";

    FakeUploadTool()
    {
        GoogleLens::setToolsFolder(m_dir.path());
        GoogleLens::setStartTimeout(2000);
        GoogleLens::setUrlOpener([this](const QUrl& url) {
            m_opened << url;
            return true;
        });
    }
    ~FakeUploadTool()
    {
        GoogleLens::setToolsFolder(QString());
        GoogleLens::setStartTimeout(30000);
        GoogleLens::setRunTimeLimit(120000);
        GoogleLens::setUrlOpener(nullptr);
    }

    QString path() const { return m_dir.path(); }

    static QByteArray completeConfig()
    {
        return QByteArray("[upload]\nendpoint=cos.test-region.example.invalid\nbucket=test-bucket-1250000000\n") +
               "secret_id=" + SecretId + "\nsecret_key=" + SecretKey +
               "\n[search]\npicture_host=pictures.example.invalid\nsearch_host=search.example.invalid\n";
    }

    void writeConfig(const QByteArray& text = completeConfig()) { write(GoogleLens::configPath(), text); }

    /// The upload tool: `body` runs after the arguments and working directory are recorded.
    void writeTool(const QByteArray& body = QByteArray())
    {
        write(GoogleLens::toolPath(), "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\npwd > cwd.txt\n" + body);
        QFile::setPermissions(GoogleLens::toolPath(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    /// The arguments of the last run; empty when the tool never ran.
    QStringList arguments() const { return lines(QStringLiteral("/args.txt")); }
    QString workingDirectory() const { return lines(QStringLiteral("/cwd.txt")).value(0); }
    QList<QUrl> opened() const { return m_opened; }

private:
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile out(path);
        if (out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            out.write(bytes);
        }
    }

    QStringList lines(const QString& name) const
    {
        QFile in(m_dir.path() + name);
        if (!in.open(QIODevice::ReadOnly)) {
            return {};
        }
        QStringList result = QString::fromLocal8Bit(in.readAll()).split(QLatin1Char('\n'));
        result.removeAll(QString());
        return result;
    }

    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
};
