#include <vrx/aboutdialog.h>

#include <QDebug>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

namespace vrx {

namespace {
constexpr int iconExtent = 64;
constexpr double nameScale = 1.6;
constexpr int wrappedChars = 48;
} // namespace

AboutDialog::AboutDialog(QWidget* parent, const QString& name, const QString& version, const QString& build,
                         const QString& iconPath, const QString& notice, const QString& text)
    : QDialog(parent)
{
    setWindowTitle(tr("About %1").arg(name));

    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetFixedSize);
    auto* row = new QHBoxLayout;
    row->setSpacing(16);
    root->addLayout(row);

    const QPixmap icon = iconPath.isEmpty() ? QPixmap() : QIcon(iconPath).pixmap(iconExtent, iconExtent);
    if (icon.isNull()) {
        if (!iconPath.isEmpty()) {
            qDebug().noquote() << "vrx::AboutDialog: cannot load the icon" << iconPath;
        }
    } else {
        auto* iconLabel = new QLabel(this);
        iconLabel->setObjectName(QStringLiteral("iconLabel"));
        iconLabel->setPixmap(icon);
        iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        row->addWidget(iconLabel);
    }

    auto* lines = new QVBoxLayout;
    lines->setSpacing(4);
    row->addLayout(lines, 1);

    QLabel* nameLabel = makeLabel(QStringLiteral("nameLabel"), name);
    QFont nameFont = nameLabel->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * nameScale);
    nameFont.setBold(true);
    nameLabel->setFont(nameFont);
    lines->addWidget(nameLabel);
    if (!version.isEmpty()) {
        lines->addWidget(makeLabel(QStringLiteral("versionLabel"), tr("Version %1").arg(version)));
    }
    if (!build.isEmpty()) {
        lines->addWidget(makeLabel(QStringLiteral("buildLabel"), tr("Build %1").arg(build)));
    }
    lines->addSpacing(8);
    lines->addWidget(makeWrappedLabel(QStringLiteral("noticeLabel"), notice));
    if (!text.isEmpty()) {
        QLabel* textLabel = makeWrappedLabel(QStringLiteral("textLabel"), text);
        textLabel->setTextFormat(Qt::AutoText);
        textLabel->setOpenExternalLinks(true);
        textLabel->setTextInteractionFlags(Qt::TextBrowserInteraction);
        lines->addWidget(textLabel);
    }
    lines->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    root->addWidget(buttons);
}

AboutDialog::~AboutDialog() = default;

QLabel* AboutDialog::makeLabel(const QString& objectName, const QString& text)
{
    auto* label = new QLabel(text, this);
    label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* AboutDialog::makeWrappedLabel(const QString& objectName, const QString& text)
{
    QLabel* label = makeLabel(objectName, text);
    label->setWordWrap(true);
    // A wrapping label would otherwise shrink the fixed-size dialog to a narrow column.
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * wrappedChars);
    return label;
}

} // namespace vrx
