// Messages the commands share.
#include "cli/command.h"
#include "depot/pendrivefile.h"
#include "display/flash.h"
#include "model/projectfile.h"

#include <QFileInfo>

#include <memory>

namespace lt::cli {

QString projectError(const QString& path, const QString& error) {
    const QFileInfo info(path);
    if (error == msgProjectSizeMismatch()) {
        auto image = std::make_unique<sflash>();
        if (info.size() == FlashSize && readPendriveFile(path, *image).isEmpty())
            return QStringLiteral(
                       "%1 is a pendrive file, not a project; `linetint-cli recover %1 -o "
                       "PROJECT.vmprj` rebuilds a project from it")
                .arg(path);
        return QStringLiteral("%1 is not a project file: it has %2 bytes; a project file has %3")
            .arg(path)
            .arg(info.size())
            .arg(ProjectFileSize);
    }
    if (error == msgProjectVersionMismatch()) return QStringLiteral("%1: %2").arg(path, error);
    return msgCannotOpen(path, error);
}

}  // namespace lt::cli
