#include "regiongrab.h"

#include "roiimagedialog.h"

#include <vrx/graphicsview.h>

#include <QPointer>
#include <QTimer>

int runRoiImageDialog(const QImage& image, QWidget* parent, vrx::GraphicsView* view,
                      const std::function<void(const QString& message)>& showMessage)
{
    int result = QDialog::Rejected;
    {
        RoiImageDialog dialog(image, parent);
        if (showMessage) {
            QObject::connect(&dialog, &RoiImageDialog::setStatusBar, &dialog, showMessage);
        }
        result = dialog.exec();
    }
    if (result == QDialog::Accepted && view) {
        // A moment for the dialog to vanish before the next drag starts.
        QTimer::singleShot(RedragDelayMs, view, [view] {
            view->setRegionGrab(true);
            view->setPrimitiveDragMode(vrx::PrimitiveManager::SelectDrag, -1);
        });
    }
    return result;
}
