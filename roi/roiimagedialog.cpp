#include "roiimagedialog.h"

#include "ui_roiimagedialog.h"

#include "app/appsettings.h"
#include "app/savelocations.h"
#include "app/userprompt.h"

#include <QClipboard>
#include <QDebug>
#include <QGuiApplication>
#include <QPixmap>
#include <QResizeEvent>

RoiImageDialog::RoiImageDialog(const QImage& image, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::RoiImageDialog>()), m_image(image.copy())
{
    connect(&m_googleLens, &GoogleLens::started, this, &RoiImageDialog::onSearchStarted);
    connect(&m_googleLens, &GoogleLens::finished, this, &RoiImageDialog::onSearchFinished);
    connect(&m_googleLens, &GoogleLens::errorOccur, this, &RoiImageDialog::onSearchError);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_ui->setupUi(this);
    m_ui->labelImage->setAlignment(Qt::AlignCenter);
    m_ui->toolButtonCopy->hide();
}

RoiImageDialog::~RoiImageDialog() = default;

QSize RoiImageDialog::fittedSize(const QSize& picture, const QSize& label)
{
    if (picture.isEmpty()) {
        return QSize();
    }
    QSize size(label.width(), int(double(label.width()) * picture.height() / picture.width()));
    qDebug() << "newSize1" << size;
    if (label.height() < size.height()) {
        size = QSize(int(double(label.height()) * picture.width() / picture.height()), label.height());
        qDebug() << "newSize2" << size;
    }
    return size;
}

void RoiImageDialog::resizeEvent(QResizeEvent* event)
{
    if (!m_image.isNull()) {
        const QSize size = fittedSize(m_image.size(), m_ui->labelImage->size());
        if (!size.isEmpty()) {
            // The size already has the region's proportions, to the truncated pixel; fitting
            // it again would give away up to a whole aspect ratio's worth of the label's width.
            m_ui->labelImage->setPixmap(
                QPixmap::fromImage(m_image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
        }
    }
    QDialog::resizeEvent(event);
}

void RoiImageDialog::on_toolButtonGoogleLens_clicked()
{
    m_googleLens.search(m_image);
}

void RoiImageDialog::on_toolButtonRedrag_clicked()
{
    done(QDialog::Accepted);
}

void RoiImageDialog::on_toolButtonCopy_clicked()
{
    const QPixmap pixmap = m_ui->labelImage->pixmap(Qt::ReturnByValue);
    if (pixmap.isNull()) {
        UserPrompt::critical(this, tr("Error"), tr("Image is null"));
        return;
    }
    QGuiApplication::clipboard()->setPixmap(pixmap);
}

void RoiImageDialog::on_toolButtonSave_clicked()
{
    // What is shown is what is saved: the region at the size the window gives it.
    const QPixmap pixmap = m_ui->labelImage->pixmap(Qt::ReturnByValue);
    if (pixmap.isNull()) {
        UserPrompt::critical(this, tr("Error"), tr("Image is null"));
        return;
    }
    const QString path = imageFilePath(AppSettings::instance()->capturePopup(), this);
    if (path.isEmpty() || !pixmap.save(path, nullptr, 90)) {
        if (!path.isEmpty()) {
            qWarning().noquote() << "region picture not saved to" << path;
        }
        UserPrompt::critical(this, tr("Error"), tr("Failed to save image"));
        return;
    }
    emit setStatusBar(tr("The file has been saved to %1").arg(path));
}

void RoiImageDialog::onSearchStarted()
{
    m_ui->toolButtonRedrag->setEnabled(false);
    m_ui->toolButtonGoogleLens->setEnabled(false);
    m_waitCursor.set();
}

void RoiImageDialog::onSearchFinished()
{
    m_waitCursor.restore();
    m_ui->toolButtonRedrag->setEnabled(true);
    m_ui->toolButtonGoogleLens->setEnabled(true);
}

void RoiImageDialog::onSearchError(const QString& message)
{
    // The box is answered with the ordinary cursor; finished() follows and restores nothing twice.
    m_waitCursor.restore();
    UserPrompt::critical(this, tr("Error"), message);
}
