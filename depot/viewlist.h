#pragma once
// The destination list: the views of a project as CSV rows, one row per view,
// for depots that keep their destinations in spreadsheets. Exporting writes
// every column; importing applies the rows and columns that are present and
// leaves everything else as it was.

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
    int lang = 0;  // 1..3: that language only; 0: every language in use
    QChar separator = QLatin1Char(',');
    bool bom = false;
};

/// The destination list of a project as CSV bytes (UTF-8, CRLF, header row).
QByteArray exportViewList(const sDane& d, const ViewListExportOptions& options);

/// A refused row: its line in the file and the reason.
struct ViewListProblem {
    int line = 0;
    QString reason;
    QString text() const { return QStringLiteral("line %1: %2").arg(line).arg(reason); }
};

struct ViewListImport {
    QList<ViewListProblem> problems;  // empty when the rows were applied
    QList<QPair<int, int>> changed;   // (language, view) of every view a row changed
    int rows = 0;                     // rows read, the header not counted
    bool ok() const { return problems.isEmpty(); }
};

/// Applies a destination list to the project. Each row names its view by
/// language (number, or a name that only one language has) and view number;
/// every other column present sets that field. A value equal to the stored
/// one is always accepted and leaves the bytes as they are; a new value must
/// lie within the editor's range and a text within the editor's length. When
/// any row is refused the project is left untouched and every refusal is
/// listed. A changed movement restarts as the movement selector does
/// (offsets 0, timer on for any movement but none).
ViewListImport importViewList(sDane& d, const QByteArray& csv);

/// Renders the given views (language, view) as the editor renders a view
/// whenever one of its fields changes, which keeps TextWidth and TextHeight
/// (read by the movement and carried into the pendrive file) in step with
/// the texts. The edited language and view are left as they were.
void renderViews(sDane& d, const QList<QPair<int, int>>& views);

}  // namespace lt
