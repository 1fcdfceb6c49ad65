#pragma once
// The destination list: the views of a project as rows of a table, one row
// per view, for depots that keep their destinations in spreadsheets, written
// and read as CSV or as a spreadsheet workbook (.xlsx). Exporting writes
// every column; importing applies the rows and columns that are present and
// leaves everything else as it was. Both formats go through the same rules.

#include "depot/csv.h"
#include "model/records.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace lt {

/// The column headers in the order the export writes them.
QStringList viewListColumns();

struct ViewListExportOptions {
    int lang = 0;                        // 1..3: that language only; 0: every language in use
    QChar separator = QLatin1Char(',');  // CSV only
    bool bom = false;                    // CSV only
};

/// One cell of the list as exported: its text, and whether the column holds
/// numbers (written as numbers to a workbook, unquoted to CSV).
struct ViewListCell {
    QString text;
    bool number = false;
};

/// The destination list as a table: the header row, then one row per view.
QList<QList<ViewListCell>> viewListTable(const sDane& d, int lang);

/// The destination list of a project as CSV bytes (UTF-8, CRLF, header row).
/// Every text field is quoted, and a text a spreadsheet would run as a
/// formula is written behind an apostrophe (see guardFormula).
QByteArray exportViewList(const sDane& d, const ViewListExportOptions& options);

/// The destination list as a workbook of one sheet: texts stored as text in
/// columns formatted as text, numbers as numbers, the header row frozen.
/// Returns an empty array with the reason in `error` when the workbook
/// cannot be made.
QByteArray exportViewListXlsx(const sDane& d, int lang, QString& error);

/// The apostrophe rule of CSV texts: a text starting with = + - @, a tab or
/// a carriage return (a formula to a spreadsheet), or with an apostrophe,
/// gets one apostrophe put in front; reading takes one leading apostrophe
/// away when one of those characters follows it.
QString guardFormula(const QString& text);
QString unguardFormula(const QString& text);

/// A refused row: its line in the file (its row in a sheet) and the reason.
struct ViewListProblem {
    int line = 0;
    QString reason;
    bool sheetRow = false;
    QString text() const;
};

/// One field an import changes (or, in a dry run, would change); `view` is 0
/// for a change to the language itself.
struct ViewListChange {
    int lang = 0;
    int view = 0;
    QString column;
    QString before;
    QString after;
    QString text() const;  // 1/1 Left text: "007" -> "7"
};

struct ViewListImport {
    QList<ViewListProblem> problems;  // empty when the rows were applied
    QStringList warnings;             // applied anyway, but worth a word
    QList<ViewListChange> changes;    // every field changed, in list order
    QList<QPair<int, int>> changed;   // (language, view) of every view a row changed
    int rows = 0;                     // rows read, the header not counted
    bool ok() const { return problems.isEmpty(); }
};

struct ViewListImportOptions {
    /// Rows that change a language that is switched off switch it on;
    /// without this they are refused.
    bool switchOn = false;
};

/// Applies a destination list to the project. Each row names its view by
/// language (number, or a name that only one language has) and view number;
/// every other column present sets that field. A value equal to the stored
/// one is always accepted and leaves the bytes as they are; a new value must
/// lie within the editor's range and a text within the editor's length, on
/// one line and free of control characters. When any row is refused the
/// project is left untouched and every refusal is listed. A changed movement
/// restarts as the movement selector does (offsets 0, timer on for any
/// movement but none).
ViewListImport importViewList(sDane& d, const QByteArray& csv, const ViewListImportOptions& options = {});

/// The same for a workbook: the first sheet of an .xlsx file.
ViewListImport importViewListXlsx(sDane& d, const QByteArray& xlsx,
                                  const ViewListImportOptions& options = {});

/// Measures the texts of the given views (language, view) as rendering them
/// does whenever one of their fields changes, which keeps TextWidth and
/// TextHeight (read by the movement and carried into the pendrive file) in
/// step with the texts. Nothing is drawn; the edited language and view are
/// left as they were.
void measureViews(sDane& d, const QList<QPair<int, int>>& views);

}  // namespace lt
