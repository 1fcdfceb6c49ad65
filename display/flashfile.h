#pragma once
// Reading and writing the files of the pendrive commands: the display image
// and the controller firmware, each of a fixed size.

#include "display/flash.h"
#include "model/records.h"

#include <QByteArray>
#include <QString>

namespace lt {

/// "Size of file 1024 is mismatch of program version 8388608".
QString msgFileSizeMismatch(qint64 size, qint64 expected);

/// `MyFileSize`: the size of the named file in bytes, -1 when there is none.
qint64 MyFileSize(const QString& FileName);

/// Reads a file that must be exactly `expected` bytes long. The size is
/// checked before anything is read, and again on what was read, so a file that
/// changed in between is refused too. Returns an empty string on success, else
/// the message to show (the size message or the system's error text).
QString readFixedSizeFile(const QString& path, qint64 expected, QByteArray& bytes);

/// Writes the image in one block, atomically; an empty string on success,
/// else the system's error text.
QString writeFlashFile(const sflash& flash, const QString& path);
/// Reads a pendrive file over the image; on any failure the image is as it
/// was and the message to show is returned, else an empty string.
QString readFlashFile(const QString& path, sflash& flash);
/// Reads a firmware file over the project's firmware, with the same rules.
QString readFirmwareFile(const QString& path, sDane& dane);

}  // namespace lt
