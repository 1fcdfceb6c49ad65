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

namespace lt {

class Document;

/// What an import did, or why it was refused.
struct DestinationImport {
    QString error;                   // the file could not be used (nothing changed)
    QList<ViewListProblem> refused;  // refused rows of a list (nothing changed)
    QStringList warnings;            // rows of a list applied, but worth a word
    bool feed = false;               // a timetable feed, else a destination list
    int rows = 0;                    // rows of a list read
    int viewsMade = 0;               // views the feed made, or views the list changed
    QList<FitChange> fitted;         // regions fitted
    bool ok() const { return error.isEmpty() && refused.isEmpty(); }
    /// A few lines for the operator: what was made and fitted, or what was
    /// refused, rows with their line numbers.
    QString summary() const;
};

/// Reads `path` and applies it to the project: a feed (a .zip, a folder, or
/// a file inside the feed's folder such as its routes.txt) makes the views of
/// language `lang`; a destination list (.csv, or an .xlsx workbook) applies
/// its rows. When the
/// import is refused the project is exactly as it was.
DestinationImport importDestinations(sDane& d, const QString& path, int lang);

/// The open dialog of the command: a feed or a list.
FileDialogSpec importDestinationsDialog();

/// The menu command: asks first (it replaces views), then for the file;
/// imports into the language of the current tab, redraws every view and
/// tells the operator what happened.
void importDestinationsClick(Document& doc, Prompts& prompts, const FileDialogSpec& dialog);

}  // namespace lt
