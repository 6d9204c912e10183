#pragma once

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

class QAbstractItemModel;
class QUrl;
class QWidget;
class WorkbookWriter;

namespace vrx {
class GraphicsView;
class PrimitiveManager;
} // namespace vrx

/// The Excel report of the measurement table: the results with their averages, the unit, the
/// time, the program's name and the picture with its tools, saved as a workbook and opened
/// with the desktop's handler for it.
class ExcelReport final
{
public:
    /// Everything the report shows, read at the moment of the export.
    struct Content
    {
        const QAbstractItemModel* model = nullptr;
        QString unitFullName;
        QImage picture;
        QString software;
        QDateTime dateTime;
    };

    /// The content of the canvas now: its result table, unit and picture.
    static Content contentOf(vrx::GraphicsView* view, vrx::PrimitiveManager* manager);

    /// Puts the report into the workbook. Model columns 0 to C-2 are written (the last, the
    /// note, never is); sheet column C is the empty "Lot Number" column.
    static void layOut(const Content& content, WorkbookWriter& workbook);

    /// Lays the report out, asks for its file name (a save dialog when `popup`, otherwise a
    /// time-stamped name in the report folder), saves it and opens it. Failures are told to
    /// the user in a box; false when no report was saved.
    static bool exportReport(const Content& content, bool popup, QWidget* parent);

    /// Opens a finished report with the desktop's handler; false when that failed.
    using DesktopOpener = std::function<bool(const QUrl& url)>;
    /// Tests put their own opener here; an empty one restores the desktop's.
    static void setDesktopOpener(DesktopOpener opener);

    /// Sheet column (from 1) of a model column: "Lot Number" is inserted as column 3.
    static int sheetColumn(int modelColumn) { return modelColumn < 2 ? modelColumn + 1 : modelColumn + 2; }
    static QString dateTimeFormat() { return QStringLiteral("yyyy/MM/dd hh:mm:ss"); }
};
