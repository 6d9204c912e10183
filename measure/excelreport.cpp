#include "excelreport.h"

#include "app/clock.h"
#include "app/savelocations.h"
#include "app/userprompt.h"
#include "capture/waitcursor.h"
#include "positiveaverage.h"
#include "workbookwriter.h"

#include <vrx/graphicsview.h>
#include <vrx/primitivedimensionmodel.h>
#include <vrx/primitivemanager.h>

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QUrl>

namespace {

ExcelReport::DesktopOpener& desktopOpener()
{
    static ExcelReport::DesktopOpener opener;
    return opener;
}

bool openWithDesktop(const QUrl& url)
{
    const ExcelReport::DesktopOpener& opener = desktopOpener();
    return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void tellUser(QWidget* parent, const QString& text)
{
    UserPrompt::MessageRequest request;
    request.parent = parent;
    request.icon = QMessageBox::Information;
    request.title = QCoreApplication::applicationName();
    request.text = text;
    request.buttons = QMessageBox::Yes;
    request.defaultButton = QMessageBox::Yes;
    UserPrompt::message(request);
}

} // namespace

ExcelReport::Content ExcelReport::contentOf(vrx::GraphicsView* view, vrx::PrimitiveManager* manager)
{
    Content content;
    content.model = manager ? manager->dimensionModel() : nullptr;
    content.unitFullName = manager ? manager->currentUnitFullName() : QString();
    content.picture = view ? view->screenshot(false) : QImage();
    content.software = QCoreApplication::applicationName();
    content.dateTime = Clock::now();
    return content;
}

void ExcelReport::layOut(const Content& content, WorkbookWriter& workbook)
{
    const QAbstractItemModel* model = content.model;
    const int rows = model ? model->rowCount() : 0;
    const int columns = model ? model->columnCount() - 1 : 0; // the note column stays out

    using Alignment = WorkbookWriter::Alignment;
    workbook.mergeCells(1, 1, 1, columns);
    workbook.write(1, 1, QCoreApplication::translate("FormOutputbar", "Measurement Table"), Alignment::Center);

    for (int k = 0; k < columns; ++k) {
        if (k == 2) {
            workbook.write(2, 3, QStringLiteral("Lot Number"));
        }
        workbook.write(2, sheetColumn(k), vrx::PrimitiveDimensionModel::headerTitle(k));
    }

    for (int r = 0; r < rows; ++r) {
        for (int k = 0; k < columns; ++k) {
            workbook.write(r + 3, sheetColumn(k), model->data(model->index(r, k)));
        }
    }

    const int averageRow = rows + 3;
    workbook.write(averageRow, 1, QCoreApplication::translate("FormOutputbar", "Average:"));
    for (int k = 1; k < columns; ++k) {
        PositiveAverage average;
        for (int r = 0; r < rows; ++r) {
            average.add(model->data(model->index(r, k)).toDouble());
        }
        if (average.hasValue()) {
            workbook.write(averageRow, sheetColumn(k), average.value());
        }
    }

    const QString footers[] = {QCoreApplication::translate("FormOutputbar", "Unit:") + content.unitFullName,
                               QCoreApplication::translate("FormOutputbar", "Date & Time:") +
                                   content.dateTime.toString(dateTimeFormat()),
                               QCoreApplication::translate("FormOutputbar", "Software:") + content.software};
    int row = rows + 4;
    for (const QString& footer : footers) {
        workbook.mergeCells(row, 1, row, columns);
        workbook.write(row, 1, footer, Alignment::Right);
        ++row;
    }

    // Row R+8 of the sheet, the zero-based row R+7.
    workbook.insertImage(rows + 7, 0, content.picture);
}

bool ExcelReport::exportReport(const Content& content, bool popup, QWidget* parent)
{
    WorkbookWriter workbook;
    {
        WaitCursor busy;
        busy.set();
        layOut(content, workbook);
    }
    const QString fileName = reportFilePath(popup, parent);
    bool saved = false;
    if (!fileName.isEmpty()) {
        WaitCursor busy;
        busy.set();
        saved = workbook.saveAs(fileName);
    }
    if (!saved) {
        if (!fileName.isEmpty()) {
            qWarning().noquote() << "Could not write the report" << fileName << ":" << workbook.errorString();
        }
        tellUser(parent,
                 QCoreApplication::translate("FormOutputbar", "Failed to export measurement data into Excel file."));
        return false;
    }
    qInfo().noquote() << "Report saved to" << fileName;
    if (!openWithDesktop(QUrl::fromLocalFile(fileName))) {
        tellUser(parent, QCoreApplication::translate("FormOutputbar", "Failed to open file:") + fileName);
    }
    return true;
}

void ExcelReport::setDesktopOpener(DesktopOpener opener)
{
    desktopOpener() = std::move(opener);
}
