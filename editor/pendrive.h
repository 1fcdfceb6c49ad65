#pragma once
// The pendrive commands of the Edit menu: export the display image, import
// one back, import controller firmware, and the font import that does
// nothing. Each talks to the user only through Prompts. The files they read
// and write are display/flashfile.h's, the image build display/flashbuild.h's.

#include "display/flash.h"
#include "display/flashfile.h"
#include "model/prompts.h"
#include "model/records.h"

#include <QString>

namespace lt {

class Document;

/// The messages of the pendrive commands.
inline QString msgFlashExported() {
    return QStringLiteral("Data from flash memory has correctly exported.");
}
/// The export's confirmation naming the file written:
/// "Data from flash memory has correctly exported.\nFile: PATH".
inline QString msgFlashExportedTo(const QString& path) {
    return msgFlashExported() + QStringLiteral("\nFile: ") + path;
}
inline QString msgFlashImported() {
    return QStringLiteral("Data from flash memory has correctly imported.");
}
inline QString msgFirmwareLoaded() {
    return QStringLiteral("Firmware has load corectly.");
}
/// The last line of the export message when more texts were carried changed
/// than it lists.
inline QString msgMoreCarriedTexts(qsizetype count) {
    return QStringLiteral("and %1 more texts carried with other characters").arg(count);
}

/// `DecodeFlash2Korvo`: the project is not rebuilt from an imported image;
/// this changes nothing.
void DecodeFlash2Korvo();

/// The build on the document's project and image; the windows are told that
/// the preview and the thumbnails changed.
void EncodeKorvo2Flash(Document& doc);

/// "Export to pendrive": builds the image, asks for a file, writes it.
void Eksportujdoplikuwywietlacza1Click(Document& doc, Prompts& prompts);
/// "Import from pendrive" (hidden): reads a pendrive file into the image.
void Importujzplikuwywitlacza1Click(Document& doc, Prompts& prompts);
/// "Import firmware" (hidden): reads a firmware file into the project.
void Importujoprogramowaniesprztowe1Click(Document& doc, Prompts& prompts);
/// "Font import" (hidden): does nothing.
void Importujczcionki1Click(Document& doc, Prompts& prompts);

}  // namespace lt
