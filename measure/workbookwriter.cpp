#include "workbookwriter.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

// Excel's sheet size.
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;

// Pictures are stored at 96 dots per inch, the resolution at which Excel shows one picture
// pixel per screen pixel. PNG keeps dots per metre, so the nearest whole value is stored and
// the remainder is made up by the picture's scale.
constexpr int kDotsPerMetre = 3780;
constexpr double kScaleFor96Dpi = kDotsPerMetre * 0.0254 / 96.0;

bool cellInSheet(int row, int column)
{
    return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
}

QByteArray encodePng(const QImage& image)
{
    QImage picture = image.hasAlphaChannel() ? image.convertToFormat(QImage::Format_ARGB32)
                                             : image.convertToFormat(QImage::Format_RGB32);
    picture.setDotsPerMeterX(kDotsPerMetre);
    picture.setDotsPerMeterY(kDotsPerMetre);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // Fast deflate: the workbook is zipped again anyway, and a camera picture hardly shrinks.
    writer.setCompression(1);
    if (!writer.write(picture)) {
        qWarning() << "Could not encode the report picture:" << writer.errorString();
        return QByteArray();
    }
    return png;
}

struct WorkbookCloser
{
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

// What a file made by the program gets: read and write for all, less the user's umask (a
// temporary file is made for the owner only).
QFile::Permissions newFilePermissions()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFile::Permissions permissions;
    const QPair<mode_t, QFile::Permissions> bits[] = {{S_IRUSR, QFile::ReadOwner | QFile::ReadUser},
                                                      {S_IWUSR, QFile::WriteOwner | QFile::WriteUser},
                                                      {S_IRGRP, QFile::ReadGroup},
                                                      {S_IWGRP, QFile::WriteGroup},
                                                      {S_IROTH, QFile::ReadOther},
                                                      {S_IWOTH, QFile::WriteOther}};
    for (const auto& bit : bits) {
        if (mode & bit.first) {
            permissions |= bit.second;
        }
    }
    return permissions;
}

QString libraryError(lxw_error error)
{
    return QString::fromUtf8(lxw_strerror(error));
}

} // namespace

void WorkbookWriter::write(int row, int column, const QVariant& value, Alignment alignment)
{
    if (!cellInSheet(row, column)) {
        qWarning() << "Workbook cell outside the sheet ignored:" << row << column;
        return;
    }
    m_cells.insert({row, column}, Cell{value, alignment});
}

void WorkbookWriter::mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn)
{
    if (!cellInSheet(firstRow, firstColumn) || !cellInSheet(lastRow, lastColumn) || lastRow < firstRow ||
        lastColumn < firstColumn || (firstRow == lastRow && firstColumn == lastColumn)) {
        return;
    }
    m_merges.append(Range{firstRow, firstColumn, lastRow, lastColumn});
}

void WorkbookWriter::insertImage(int row, int column, const QImage& image)
{
    if (image.isNull() || !cellInSheet(row + 1, column + 1)) {
        return;
    }
    const QByteArray png = encodePng(image);
    if (!png.isEmpty()) {
        m_pictures.append(Picture{row, column, png, kScaleFor96Dpi, kScaleFor96Dpi});
    }
}

bool WorkbookWriter::saveAs(const QString& path)
{
    m_error.clear();
    if (path.isEmpty()) {
        m_error = QStringLiteral("no file name");
        return false;
    }
    const QFileInfo target(path);
    // Written next to the target and renamed over it, so a failed export never leaves a
    // half-written workbook or destroys the file it was to replace.
    QTemporaryFile part(target.absolutePath() + "/." + target.fileName() + ".XXXXXX");
    if (!part.open()) {
        m_error = part.errorString();
        return false;
    }
    part.close();
    if (!writeTo(part.fileName())) {
        return false;
    }
    part.setPermissions(target.exists() ? target.permissions() : newFilePermissions());
    if (std::rename(QFile::encodeName(part.fileName()).constData(), QFile::encodeName(path).constData()) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    part.setAutoRemove(false);
    return true;
}

bool WorkbookWriter::writeTo(const QString& fileName)
{
    const QByteArray name = QFile::encodeName(fileName);
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(workbook_new(name.constData()));
    lxw_worksheet* sheet = workbook ? workbook_add_worksheet(workbook.get(), nullptr) : nullptr;
    if (!sheet) {
        m_error = QStringLiteral("could not create the workbook");
        return false;
    }
    lxw_format* centred = workbook_add_format(workbook.get());
    format_set_align(centred, LXW_ALIGN_CENTER);
    lxw_format* right = workbook_add_format(workbook.get());
    format_set_align(right, LXW_ALIGN_RIGHT);

    lxw_error error = LXW_NO_ERROR;
    for (const Range& range : qAsConst(m_merges)) {
        if (error == LXW_NO_ERROR) {
            error = worksheet_merge_range(sheet, range.firstRow - 1, range.firstColumn - 1, range.lastRow - 1,
                                          range.lastColumn - 1, "", nullptr);
        }
    }
    for (auto it = m_cells.cbegin(); it != m_cells.cend() && error == LXW_NO_ERROR; ++it) {
        const lxw_row_t row = it.key().first - 1;
        const lxw_col_t column = it.key().second - 1;
        lxw_format* format = it->alignment == Alignment::Center  ? centred
                             : it->alignment == Alignment::Right ? right
                                                                 : nullptr;
        const QVariant& value = it->value;
        switch (static_cast<int>(value.type())) {
        case QMetaType::UnknownType:
            error = worksheet_write_blank(sheet, row, column, format);
            break;
        case QMetaType::Bool:
            error = worksheet_write_boolean(sheet, row, column, value.toBool(), format);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::Short:
        case QMetaType::UShort: {
            const double number = value.toDouble();
            // A sheet cannot hold NaN or infinity; the cell stays blank.
            error = std::isfinite(number) ? worksheet_write_number(sheet, row, column, number, format)
                                          : worksheet_write_blank(sheet, row, column, format);
            break;
        }
        default: {
            QString text = value.toString();
            if (text.size() > MaxTextLength) {
                qWarning() << "Workbook text cut to" << MaxTextLength << "characters in row" << row + 1;
                text.truncate(MaxTextLength);
            }
            error = text.isEmpty() ? worksheet_write_blank(sheet, row, column, format)
                                   : worksheet_write_string(sheet, row, column, text.toUtf8().constData(), format);
            break;
        }
        }
    }
    for (const Picture& picture : qAsConst(m_pictures)) {
        if (error == LXW_NO_ERROR) {
            lxw_image_options options{};
            options.x_scale = picture.scaleX;
            options.y_scale = picture.scaleY;
            error = worksheet_insert_image_buffer_opt(sheet, picture.row, picture.column,
                                                      reinterpret_cast<const unsigned char*>(picture.png.constData()),
                                                      static_cast<size_t>(picture.png.size()), &options);
        }
    }
    if (error != LXW_NO_ERROR) {
        m_error = libraryError(error);
        return false;
    }
    error = workbook_close(workbook.release());
    if (error != LXW_NO_ERROR) {
        m_error = libraryError(error);
        return false;
    }
    return true;
}
