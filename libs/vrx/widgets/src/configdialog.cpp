#include <vrx/configdialog.h>

#include <vrx/configpage.h>

#include <QDebug>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vrx {

namespace {
const QSize pageIconSize(32, 32);
}

ConfigDialog::ConfigDialog(int index, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), m_requestedIndex(index), m_pageList(new QListWidget(this)),
      m_pageStack(new QStackedWidget(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Apply | QDialogButtonBox::Cancel, this))
{
    setWindowTitle(tr("Preferences"));
    m_pageList->setObjectName(QStringLiteral("pageList"));
    m_pageStack->setObjectName(QStringLiteral("pageStack"));
    m_buttons->setObjectName(QStringLiteral("buttonBox"));

    m_pageList->setIconSize(pageIconSize);
    m_pageList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pageList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pageList->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);

    auto* pages = new QHBoxLayout;
    pages->addWidget(m_pageList);
    pages->addWidget(m_pageStack, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pages, 1);
    layout->addWidget(m_buttons);

    connect(m_pageList, &QListWidget::currentRowChanged, m_pageStack, &QStackedWidget::setCurrentIndex);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ConfigDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ConfigDialog::reject);
    connect(m_buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this, &ConfigDialog::apply);
    updateApplyButton();
    resize(760, 520);
}

ConfigDialog::~ConfigDialog() = default;

void ConfigDialog::addPage(const QString& title, const QString& iconName, ConfigPage* page)
{
    if (!page) {
        qWarning() << "vrx::ConfigDialog: a null page" << title << "was not added";
        return;
    }
    auto* item = new QListWidgetItem(QIcon::fromTheme(iconName), title, m_pageList);
    item->setToolTip(title);
    m_pageStack->addWidget(page);
    connect(page, &ConfigPage::modified, this, &ConfigDialog::updateApplyButton);

    // The list keeps the width of its longest title.
    m_pageList->setFixedWidth(m_pageList->sizeHintForColumn(0) + 2 * m_pageList->frameWidth() + 8);

    const int index = count() - 1;
    if (index == 0 || index == m_requestedIndex) {
        setCurrentIndex(index);
    }
    updateApplyButton();
}

int ConfigDialog::count() const
{
    return m_pageStack->count();
}

ConfigPage* ConfigDialog::page(int index) const
{
    return qobject_cast<ConfigPage*>(m_pageStack->widget(index));
}

int ConfigDialog::currentIndex() const
{
    return m_pageStack->currentIndex();
}

void ConfigDialog::setCurrentIndex(int index)
{
    if (index < 0 || index >= count()) {
        qWarning() << "vrx::ConfigDialog: no page" << index;
        return;
    }
    m_pageList->setCurrentRow(index);
}

bool ConfigDialog::isModified() const
{
    for (int i = 0; i < count(); ++i) {
        if (page(i)->isModified()) {
            return true;
        }
    }
    return false;
}

void ConfigDialog::apply()
{
    for (int i = 0; i < count(); ++i) {
        ConfigPage* configPage = page(i);
        configPage->apply();
        configPage->markApplied();
    }
    updateApplyButton();
    emit applied();
}

void ConfigDialog::accept()
{
    apply();
    QDialog::accept();
}

void ConfigDialog::showEvent(QShowEvent* event)
{
    if (m_requestedIndex != -1 && (m_requestedIndex < 0 || m_requestedIndex >= count())) {
        qWarning() << "vrx::ConfigDialog: no page" << m_requestedIndex << "to show first; showing the first page";
        m_requestedIndex = -1;
    }
    QDialog::showEvent(event);
}

void ConfigDialog::updateApplyButton()
{
    m_buttons->button(QDialogButtonBox::Apply)->setEnabled(isModified());
}

} // namespace vrx
