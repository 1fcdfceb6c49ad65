#include "app/manual.h"

#include <QDir>
#include <QFileInfo>

namespace lt {

QString findManual(const QString& programFolder) {
    const QDir program(programFolder);
    const QString candidates[] = {
        program.filePath(QStringLiteral("../../share/doc/velmora-linetint/manual/index.html")),
        program.filePath(QStringLiteral("manual/index.html")),
    };
    for (const QString& page : candidates)
        if (QFileInfo(page).isFile()) return QDir::cleanPath(QFileInfo(page).absoluteFilePath());
    return QString();
}

}  // namespace lt
