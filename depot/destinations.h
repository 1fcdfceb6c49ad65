#pragma once
// File > "Import destinations…": the views of a project from an agency's
// timetable feed or from a depot's destination list, applied as the
// gtfs-import and csv-import commands apply them.

#include "depot/fit.h"
#include "depot/viewlist.h"
#include "model/prompts.h"
#include "model/records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace lt {

/// What an import did, or why it was refused.
struct DestinationImport {
    QString error;                   // the file could not be used (nothing changed)
    QList<ViewListProblem> refused;  // refused rows of a list (nothing changed)
    QStringList warnings;            // rows of a list applied, but worth a word
    bool feed = false;               // a timetable feed, else a destination list
    int rows = 0;                    // rows of a list read
    int viewsMade = 0;               // views the feed made, or views the list changed
    QList<FitChange> fitted;         // regions fitted
    QStringList changes;             // a feed's views: kept, new, gone or refitted, one a line
    bool renumbered = true;          // a feed laid out afresh from view 1
    // A feed's views by what became of them.
    int kept = 0;
    int added = 0;
    int gone = 0;
    int refitted = 0;
    bool cancelled = false;  // the operator did not apply the changes (nothing changed)
    bool ok() const { return error.isEmpty() && refused.isEmpty() && !cancelled; }
    /// A few lines for the operator: what was made and fitted, or what was
    /// refused, rows with their line numbers.
    QString summary() const;
};

/// Reads `path` and applies it to the project: a feed (a .zip, a folder, or
/// a file inside the feed's folder such as its routes.txt) makes the views of
/// language `lang`; a destination list (.csv, or an .xlsx workbook) applies
/// its rows. A feed's changes are handed to `review` first, when given; it
/// returns false to leave them unmade. When the import is refused or not
/// applied the project is exactly as it was.
DestinationImport importDestinations(sDane& d, const QString& path, int lang,
                                     const std::function<bool(const DestinationImport&)>& review = {});

/// The open dialog of the command: a feed or a list.
FileDialogSpec importDestinationsDialog();

}  // namespace lt
