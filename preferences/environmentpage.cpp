#include "environmentpage.h"

#include "ui_environmentpage.h"

#include <app/appsettings.h>
#include <app/settingskeys.h>

#include <QDebug>
#include <QSettings>
#include <QStyledItemDelegate>

namespace {

// Selects the entry whose data is exactly `value`, else the first entry.
void selectData(QComboBox* combo, const QString& value)
{
    const int index = combo->findData(value, Qt::UserRole, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

EnvironmentPage::EnvironmentPage(QWidget* parent) : vrx::ConfigPage(parent), m_ui(new Ui::AppearancePage)
{
    m_ui->setupUi(this);
    layout()->setContentsMargins(0, 0, 0, 0);
    m_ui->tabWidget->setCurrentIndex(0);

    m_ui->comboBoxLanguage->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxLanguage));
    m_ui->comboBoxThemes->setItemDelegate(new QStyledItemDelegate(m_ui->comboBoxThemes));
    fillLanguages();
    fillThemes();

    const QSettings settings;
    selectData(m_ui->comboBoxLanguage, settings.value(SettingsKeys::Language, SettingsDefaults::Language).toString());
    selectData(m_ui->comboBoxThemes, settings.value(SettingsKeys::Theme, SettingsDefaults::Theme).toString());

    for (QKeySequenceEdit* editor : {m_ui->keySequenceEditFullscreen, m_ui->keySequenceEditSnap,
                                     m_ui->keySequenceEditZoomIn, m_ui->keySequenceEditZoomOut}) {
        connect(editor, &QKeySequenceEdit::editingFinished, this, &EnvironmentPage::truncateShortcut);
    }

    const AppSettings* app = AppSettings::instance();
    m_ui->keySequenceEditFullscreen->setKeySequence(app->fullscreenShortcut());
    m_ui->keySequenceEditSnap->setKeySequence(app->snapShortcut());
    m_ui->keySequenceEditZoomIn->setKeySequence(app->zoomInShortcut());
    m_ui->keySequenceEditZoomOut->setKeySequence(app->zoomOutShortcut());

    setupConnects();
}

EnvironmentPage::~EnvironmentPage() = default;

void EnvironmentPage::fillLanguages()
{
    const std::pair<const char*, const char*> languages[] = {
        {QT_TR_NOOP("<System Language>"), "default"},
        {QT_TR_NOOP("Chinese (Simplified)"), "zh_CN"},
        {QT_TR_NOOP("Chinese (Traditional)"), "zh_TW"},
        {QT_TR_NOOP("English"), "en_US"},
        {QT_TR_NOOP("French"), "fr_FR"},
        {QT_TR_NOOP("German"), "de_DE"},
        {QT_TR_NOOP("Indonesian"), "id_ID"},
        {QT_TR_NOOP("Japanese"), "ja_JP"},
        {QT_TR_NOOP("Korean"), "ko_KR"},
        {QT_TR_NOOP("Polish"), "pl_PL"},
        {QT_TR_NOOP("Russian"), "ru_RU"},
        {QT_TR_NOOP("Ukrainian"), "uk_UA"},
    };
    for (const auto& [text, code] : languages) {
        m_ui->comboBoxLanguage->addItem(tr(text), QString::fromLatin1(code));
    }
}

void EnvironmentPage::fillThemes()
{
    m_ui->comboBoxThemes->addItem(tr("<System Default>"), SettingsDefaults::ThemePlatform);
    m_ui->comboBoxThemes->addItem(tr("Dark Blue Style"), SettingsDefaults::Theme);
}

void EnvironmentPage::truncateShortcut()
{
    auto* editor = qobject_cast<QKeySequenceEdit*>(sender());
    if (!editor) {
        return;
    }
    const QKeySequence keys = editor->keySequence();
    if (keys.count() > 1) {
        editor->setKeySequence(QKeySequence(keys[0]));
    }
}

void EnvironmentPage::apply()
{
    qDebug() << "applying Environment setting...";
    QSettings settings;
    const QString language = m_ui->comboBoxLanguage->currentData().toString();
    if (language != settings.value(SettingsKeys::Language, SettingsDefaults::Language).toString()) {
        settings.setValue(SettingsKeys::Language, language);
    }
    const QString theme = m_ui->comboBoxThemes->currentData().toString();
    if (theme != settings.value(SettingsKeys::Theme, SettingsDefaults::Theme).toString()) {
        settings.setValue(SettingsKeys::Theme, theme);
    }

    AppSettings* app = AppSettings::instance();
    app->setSnapShortcut(m_ui->keySequenceEditSnap->keySequence());
    app->setFullscreenShortcut(m_ui->keySequenceEditFullscreen->keySequence());
    app->setZoomInShortcut(m_ui->keySequenceEditZoomIn->keySequence());
    app->setZoomOutShortcut(m_ui->keySequenceEditZoomOut->keySequence());
}
