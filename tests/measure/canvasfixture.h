#pragma once

#include <vrx/graphicsscene.h>
#include <vrx/graphicsview.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivedimensiontool.h>
#include <vrx/primitivefactory.h>
#include <vrx/primitivemanager.h>
#include <vrx/primitivetype.h>

#include <QImage>
#include <QVector>

#include <memory>

namespace testsupport {

/// A picture view with a 640 x 480 picture, as the main window has it.
struct Canvas
{
    std::unique_ptr<vrx::GraphicsView> view = std::make_unique<vrx::GraphicsView>();
    vrx::PrimitiveManager* manager = view->primitiveManager();
    vrx::PrimitiveDimensionModel* model = manager->dimensionModel();

    Canvas()
    {
        QImage picture(640, 480, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        view->updateBackgroundByImage(picture);
    }

    vrx::PrimitiveDimensionTool* add(int type, const QVector<QPointF>& points, QPointF pos = QPointF())
    {
        auto* tool = static_cast<vrx::PrimitiveDimensionTool*>(vrx::PrimitiveFactory::create(type));
        if (!tool || !tool->setPoints(points)) {
            delete tool;
            return nullptr;
        }
        manager->addObject(tool);
        tool->setPos(pos);
        return tool;
    }

    vrx::PrimitiveDimensionTool* addLine(double length, QPointF pos = QPointF())
    {
        return add(vrx::PrimitiveType::Line, {{0, 0}, {length, 0}}, pos);
    }

    int rows() const { return model->rowCount(); }
};

} // namespace testsupport
