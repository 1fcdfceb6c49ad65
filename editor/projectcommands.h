#pragma once
// The editor's commands that replace the project's views from outside: a
// project rebuilt from a pendrive file, and views imported from a timetable
// feed or a destination list. The work itself is the depot tools'; these ask,
// put the result in place as one undoable step and report.

#include "model/prompts.h"

namespace lt {

class Document;

/// File > "Recover project from pendrive…": asks as Open does, reads a
/// pendrive file, rebuilds the project from it, puts it in place with no file
/// name (so Save asks where) and shows the report.
void RecoverProjectClick(Document& doc, Prompts& prompts);

/// File > "Import destinations…": asks first (it replaces views), then for
/// the file; imports into the language of the current tab; a feed's changes
/// are listed to apply or cancel; redraws every view and tells the operator
/// what happened.
void importDestinationsClick(Document& doc, Prompts& prompts, const FileDialogSpec& dialog);

}  // namespace lt
