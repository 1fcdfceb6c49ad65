#pragma once
// Spreadsheet workbooks (.xlsx) as tables of cells: one sheet written with
// every text stored as a string (never a formula, never a number) and every
// number as a number; the first sheet of a workbook read back as rows of
// texts, the way spreadsheet programs write it (shared or inline strings,
// numbers, booleans, cells left out or in any order). What is read is
// bounded, so a hostile file cannot make the reader hold more than a
// destination list could need.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lt::xlsx {

struct Cell {
    QString text;
    bool number = false;  // written as a number; `text` must then be one
};

struct Sheet {
    QString name;
    QList<QList<Cell>> rows;  // row 1 first
    QList<double> widths;     // per column, in characters
    QList<bool> textColumns;  // per column: formatted as text, so what is typed in stays text
    int frozenRows = 0;       // rows kept in view while scrolling
};

/// The workbook of one sheet; an empty array with the reason in `error`
/// when it cannot be made.
QByteArray write(const Sheet& sheet, QString& error);

/// A row that holds something: its number in the sheet and its cells from
/// column A, cells left out read as empty.
struct Row {
    int number = 0;
    QStringList cells;
};

/// Bounds of what `read` takes in.
inline constexpr int MaxRows = 4000;       // rows holding a value
inline constexpr int MaxColumns = 256;     // column IV
inline constexpr int MaxStrings = 100000;  // shared strings
inline constexpr int MaxCells = 200000;    // cells holding a value

/// Reads the first sheet. Numbers read as the spreadsheet shows them in
/// general format ("7" for 7.0), booleans as "true"/"false", formulas as
/// their stored result. Returns false with a reason that names the cause
/// when the bytes are not a workbook, are damaged or exceed the bounds.
bool read(const QByteArray& bytes, QList<Row>& rows, QString& error);

/// Text as a sheet's XML carries it: characters XML cannot hold (control
/// characters, a carriage return, unpaired surrogates) as _xHHHH_, and an
/// underscore that would read as such an escape as _x005F_.
QString escapeText(const QString& text);
QString unescapeText(const QString& text);

}  // namespace lt::xlsx
