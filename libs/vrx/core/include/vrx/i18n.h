#pragma once

#include <QLocale>
#include <QString>

class QTranslator;

namespace vrx {

/// Chooses the interface language and loads translation catalogues into translators.
///
/// The language comes from the settings key "i18n/language": "default" (or nothing) means the
/// system locale, anything else is a locale name such as "de_DE". Catalogues are
/// `<prefix><locale>.qm`, with the usual fallbacks ("zh_CN" → "zh").
class I18n final
{
public:
    /// `appBaseName` names the application's catalogues: `<appBaseName>_<locale>.qm`.
    explicit I18n(const QString& appBaseName = QStringLiteral("quarnellink"));

    QLocale locale() const { return m_locale; }
    QString language() const { return m_locale.name(); }

    /// Loads `<prefix><locale>.qm` from `dir` beside the executable (Qt's own translations
    /// folder too for "qt…" prefixes) and installs it. False when no catalogue was found.
    bool translate(QTranslator* translator, const QString& prefix, const QString& dir);
    /// Qt's own "qt_" catalogue.
    bool translateQt(QTranslator* translator, const QString& dir);
    /// The application's catalogue from a resource folder such as ":/i18n".
    bool translateApp(QTranslator* translator, const QString& folder);

    /// The locale chosen by a settings value.
    static QLocale localeFor(const QString& setting);

private:
    bool load(QTranslator* translator, const QString& prefix, const QStringList& folders);

    QString m_appBaseName;
    QLocale m_locale;
};

} // namespace vrx
