#include "editor/pendrive.h"

#include "display/flashbuild.h"
#include "editor/document.h"
#include "model/carry.h"
#include "model/projectfile.h"

namespace lt {

void DecodeFlash2Korvo() {}

void EncodeKorvo2Flash(Document& doc) {
    EncodeKorvo2Flash(doc.dane(), doc.surfaces(), doc.flash());
    doc.observer().previewChanged();
    doc.observer().gridsRepaint();
}

void Eksportujdoplikuwywietlacza1Click(Document& doc, Prompts& prompts) {
    // The image is built before the dialog: a cancel still leaves it built and
    // the thumbnails refreshed.
    EncodeKorvo2Flash(doc);
    const QString path = prompts.saveFile(doc.SaveDialogPendrive);
    if (path.isEmpty()) return;
    const QString error = writeFlashFile(doc.flash(), path);
    if (!error.isEmpty()) {
        prompts.warning(msgWriteFailed(path, error));
        return;
    }
    // A clean export is confirmed in passing; texts written with their
    // nearest carried form are named after the message, one per line, in a
    // box with the warning icon.
    const QStringList changed = carryWarnings(doc.dane());
    if (changed.isEmpty()) {
        prompts.note(msgFlashExportedTo(path));
        return;
    }
    constexpr qsizetype shown = 20;
    QStringList lines = changed.mid(0, shown);
    if (changed.size() > shown) lines << msgMoreCarriedTexts(changed.size() - shown);
    prompts.warning(msgFlashExportedTo(path) + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')));
}

void Importujzplikuwywitlacza1Click(Document& doc, Prompts& prompts) {
    const QString path = prompts.openFile(doc.OpenDialogPendrive);
    if (path.isEmpty()) return;
    const QString error = readFlashFile(path, doc.flash());
    if (!error.isEmpty()) {
        prompts.warning(error);
        return;
    }
    doc.observer().setViewsPanelVisible(false);
    DecodeFlash2Korvo();
    doc.observer().gridsRepaint();
    doc.observer().setViewsPanelVisible(true);
    prompts.message(msgFlashImported());
}

void Importujoprogramowaniesprztowe1Click(Document& doc, Prompts& prompts) {
    const QString path = prompts.openFile(doc.OpenDialogFirmware);
    if (path.isEmpty()) return;
    const QString error = readFirmwareFile(path, doc.dane());
    if (!error.isEmpty()) {
        prompts.warning(error);
        return;
    }
    prompts.message(msgFirmwareLoaded());
}

void Importujczcionki1Click(Document&, Prompts&) {}

}  // namespace lt
