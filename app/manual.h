#pragma once
// Where the operator's manual lies: installed with the package, or beside
// the program in its build folder.

#include <QString>

namespace lt {

/// The manual's first page (manual/index.html) for the program in
/// `programFolder`: <prefix>/share/doc/velmora-linetint/manual when the
/// package installed the program in <prefix>/lib/velmora-linetint, else
/// the copy in the program's own folder; empty when there is none.
QString findManual(const QString& programFolder);

}  // namespace lt
