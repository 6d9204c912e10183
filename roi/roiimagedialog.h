#pragma once

#include "googlelens.h"

#include "capture/waitcursor.h"

#include <QDialog>
#include <QImage>

#include <memory>

namespace Ui {
class RoiImageDialog;
}

/// Shows a region dragged over the picture, fitted to the window, and offers to search the
/// web for it, to grab another region ("Re-Drag", ends with the accepted result) or to save
/// the region as shown.
class RoiImageDialog final : public QDialog
{
    Q_OBJECT

public:
    RoiImageDialog(const QImage& image, QWidget* parent);
    ~RoiImageDialog() override;

    /// The size the region is shown at in a label of `label`: as wide as the label, or as
    /// high when the label is too low for that, with the region's aspect ratio.
    static QSize fittedSize(const QSize& picture, const QSize& label);

signals:
    void setStatusBar(const QString& message);

private slots:
    void on_toolButtonGoogleLens_clicked();
    void on_toolButtonRedrag_clicked();
    void on_toolButtonCopy_clicked();
    void on_toolButtonSave_clicked();
    void onSearchStarted();
    void onSearchFinished();
    void onSearchError(const QString& message);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::unique_ptr<Ui::RoiImageDialog> m_ui;
    QImage m_image;
    GoogleLens m_googleLens;
    WaitCursor m_waitCursor;
};
