#include <vrx/i18n.h>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>

namespace vrx {

namespace {
const char* const kLanguageKey = "i18n/language";

QString besideExecutable(const QString& dir)
{
    return QDir::isAbsolutePath(dir) || dir.startsWith(':') ? dir : QCoreApplication::applicationDirPath() + "/" + dir;
}
} // namespace

I18n::I18n(const QString& appBaseName)
    : m_appBaseName(appBaseName),
      m_locale(localeFor(QSettings().value(QString::fromLatin1(kLanguageKey), QStringLiteral("default")).toString()))
{
    qInfo().noquote() << "Interface language:" << m_locale.name();
}

QLocale I18n::localeFor(const QString& setting)
{
    const QString name = setting.trimmed();
    if (name.isEmpty() || name.compare(QLatin1String("default"), Qt::CaseInsensitive) == 0) {
        return QLocale::system();
    }
    return QLocale(name);
}

bool I18n::load(QTranslator* translator, const QString& prefix, const QStringList& folders)
{
    if (!translator) {
        return false;
    }
    for (const QString& folder : folders) {
        if (translator->load(m_locale, prefix, QString(), folder)) {
            QCoreApplication::installTranslator(translator);
            qDebug().noquote() << "Translation loaded:" << translator->filePath();
            return true;
        }
    }
    qDebug().noquote() << "No" << m_locale.name() << "translation" << prefix + "*.qm"
                       << "in" << folders.join(", ");
    return false;
}

bool I18n::translate(QTranslator* translator, const QString& prefix, const QString& dir)
{
    QStringList folders{besideExecutable(dir)};
    if (prefix.startsWith(QLatin1String("qt"))) {
        folders << QLibraryInfo::location(QLibraryInfo::TranslationsPath);
    }
    return load(translator, prefix, folders);
}

bool I18n::translateQt(QTranslator* translator, const QString& dir)
{
    return translate(translator, QStringLiteral("qt_"), dir);
}

bool I18n::translateApp(QTranslator* translator, const QString& folder)
{
    return load(translator, m_appBaseName + "_", {besideExecutable(folder)});
}

} // namespace vrx
