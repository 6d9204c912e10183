#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QVariant>

class QImage;

/// An .xlsx workbook of one worksheet, put together in memory and written in one go by
/// saveAs() through libxlsxwriter.
///
/// Cells and merged ranges count rows and columns from 1 (row 1, column 1 is A1); pictures
/// are anchored at a zero-based cell. Writing a cell twice keeps the last value.
class WorkbookWriter final
{
public:
    enum class Alignment
    {
        Default,
        Center,
        Right
    };

    /// Text becomes a text cell (never a formula), numbers and booleans keep their kind; an
    /// empty text or a null value leaves the cell blank.
    void write(int row, int column, const QVariant& value, Alignment alignment = Alignment::Default);
    /// A range of at least two cells; a single cell or an inverted range is ignored.
    void mergeCells(int firstRow, int firstColumn, int lastRow, int lastColumn);
    /// The picture at its own pixel size, its top-left corner on the zero-based cell. A null
    /// picture is ignored.
    void insertImage(int row, int column, const QImage& image);

    /// Writes the workbook to `path`, replacing a file there only once the new one is whole.
    /// False, with errorString(), when it cannot be written.
    bool saveAs(const QString& path);
    QString errorString() const { return m_error; }

    /// Longest text a cell can hold; longer texts are cut.
    static constexpr int MaxTextLength = 32767;

private:
    struct Cell
    {
        QVariant value;
        Alignment alignment = Alignment::Default;
    };
    struct Range
    {
        int firstRow, firstColumn, lastRow, lastColumn;
    };
    struct Picture
    {
        int row, column;
        QByteArray png;
        double scaleX, scaleY;
    };

    bool writeTo(const QString& fileName);

    QMap<QPair<int, int>, Cell> m_cells;
    QList<Range> m_merges;
    QList<Picture> m_pictures;
    QString m_error;
};
