#include "app/desktopsettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace lt {

namespace {

const QString RecentKey = QStringLiteral("files/recent");
const QString FolderKey = QStringLiteral("files/lastFolder");

/// An INI file in the user's configuration folder (~/.config/Velmora).
QSettings store() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Velmora"),
                     QStringLiteral("linetint"));
}

QString absolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void storeRecent(QStringList list) {
    if (list.size() > RecentProjectCount) list.resize(RecentProjectCount);
    store().setValue(RecentKey, list);
}

}  // namespace

QStringList recentProjects() {
    QStringList list = store().value(RecentKey).toStringList();
    list.removeAll(QString());
    if (list.size() > RecentProjectCount) list.resize(RecentProjectCount);
    return list;
}

void addRecentProject(const QString& path) {
    if (path.isEmpty()) return;
    const QString file = absolute(path);
    QStringList list = recentProjects();
    list.removeAll(file);
    list.prepend(file);
    storeRecent(list);
}

void removeRecentProject(const QString& path) {
    QStringList list = recentProjects();
    list.removeAll(path);
    list.removeAll(absolute(path));
    storeRecent(list);
}

void clearRecentProjects() {
    store().remove(RecentKey);
}

QString lastFolder() {
    const QString folder = store().value(FolderKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void rememberFolderOf(const QString& path) {
    if (path.isEmpty()) return;
    store().setValue(FolderKey, QFileInfo(absolute(path)).absolutePath());
}

}  // namespace lt
