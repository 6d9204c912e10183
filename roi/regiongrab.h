#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QWidget;

namespace vrx {
class GraphicsView;
}

/// What the main window does with a region grabbed from `view`: shows it in the region
/// dialog (modal, child of `parent`), passes the dialog's status messages to `showMessage`,
/// and after "Re-Drag" puts `view` back into region grab once the dialog is gone for
/// RedragDelayMs. Returns the dialog's result.
int runRoiImageDialog(const QImage& image, QWidget* parent, vrx::GraphicsView* view,
                      const std::function<void(const QString& message)>& showMessage);

/// Delay between "Re-Drag" and the view taking the next region.
constexpr int RedragDelayMs = 200;
