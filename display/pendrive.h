#pragma once
// The pendrive commands of the Edit menu: export the display image, import
// one back, import controller firmware, and the font import that does
// nothing. Each talks to the user only through Prompts.

#include "display/flash.h"
#include "model/prompts.h"
#include "model/records.h"

#include <QByteArray>
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
/// "Size of file 1024 is mismatch of program version 8388608".
QString msgFileSizeMismatch(qint64 size, qint64 expected);

/// `MyFileSize`: the size of the named file in bytes, -1 when there is none.
qint64 MyFileSize(const QString& FileName);

/// Reads a file that must be exactly `expected` bytes long. The size is
/// checked before anything is read, and again on what was read, so a file that
/// changed in between is refused too. Returns an empty string on success, else
/// the message to show (the size message or the system's error text).
QString readFixedSizeFile(const QString& path, qint64 expected, QByteArray& bytes);

/// `DecodeFlash2Korvo`: the project is not rebuilt from an imported image;
/// this changes nothing.
void DecodeFlash2Korvo();

/// Writes the image in one block, atomically; an empty string on success,
/// else the system's error text.
QString writeFlashFile(const sflash& flash, const QString& path);
/// Reads a pendrive file over the image; on any failure the image is as it
/// was and the message to show is returned, else an empty string.
QString readFlashFile(const QString& path, sflash& flash);
/// Reads a firmware file over the project's firmware, with the same rules.
QString readFirmwareFile(const QString& path, sDane& dane);

/// "Export to pendrive": builds the image, asks for a file, writes it.
void Eksportujdoplikuwywietlacza1Click(Document& doc, Prompts& prompts);
/// "Import from pendrive" (hidden): reads a pendrive file into the image.
void Importujzplikuwywitlacza1Click(Document& doc, Prompts& prompts);
/// "Import firmware" (hidden): reads a firmware file into the project.
void Importujoprogramowaniesprztowe1Click(Document& doc, Prompts& prompts);
/// "Font import" (hidden): does nothing.
void Importujczcionki1Click(Document& doc, Prompts& prompts);

}  // namespace lt
