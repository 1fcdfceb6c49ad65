#include "editor/projectcommands.h"

#include "depot/destinations.h"
#include "depot/recover.h"
#include "editor/document.h"

#include <memory>

namespace lt {

void RecoverProjectClick(Document& doc, Prompts& prompts) {
    if (!doc.mayDiscard(prompts, msgRecoverConfirm(),
                        QStringLiteral("recovering a project from a pendrive file")))
        return;
    const QString path = prompts.openFile(doc.OpenDialogPendrive);
    if (path.isEmpty()) return;
    auto flash = std::make_unique<sflash>();
    const QString error = readImageForRecovery(path, *flash);
    if (!error.isEmpty()) {
        prompts.warning(error);
        return;
    }
    auto dane = std::make_unique<sDane>();
    const RecoverReport report = recoverProject(*flash, *dane);
    doc.observer().setViewsPanelVisible(false);
    doc.adoptProject(*dane);
    doc.observer().setViewsPanelVisible(true);
    prompts.message(report.text());
}

void importDestinationsClick(Document& doc, Prompts& prompts, const FileDialogSpec& dialog) {
    if (!prompts.confirm(QStringLiteral("Are you sure to import destinations into the project ?"))) return;
    const QString path = prompts.openFile(dialog);
    if (path.isEmpty()) return;
    DestinationImport result;
    doc.change(QStringLiteral("Import destinations"), [&] {
        result = importDestinations(
            doc.dane(), path, editLang(doc.dane()),
            [&prompts](const DestinationImport& r) { return prompts.reviewChanges(r.summary(), r.changes); });
        if (result.ok() && !result.cancelled) doc.projectReplaced();
    });
    if (result.cancelled) return;
    prompts.message(result.summary());
}

}  // namespace lt
