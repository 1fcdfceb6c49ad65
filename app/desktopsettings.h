#pragma once
// What the editor keeps between runs on the operator's desktop, beside the
// project files: the recent projects and the folder of the last file dialog.
// The project itself never depends on them.

#include <QString>
#include <QStringList>

namespace lt {

/// The most recent projects, newest first, at most RecentProjectCount.
constexpr int RecentProjectCount = 10;
QStringList recentProjects();
/// Puts `path` (made absolute) at the head of the list, dropping an older
/// entry for the same file and the ones beyond the tenth.
void addRecentProject(const QString& path);
void removeRecentProject(const QString& path);
void clearRecentProjects();

/// The folder the last file dialog ended in; empty before the first one.
QString lastFolder();
/// Keeps the folder of `path` (a file) for the next dialog, in this run and
/// the next ones.
void rememberFolderOf(const QString& path);

}  // namespace lt
