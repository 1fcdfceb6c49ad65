#pragma once
// The project file: the raw 6,841,400-byte image of sDane, no header.

#include "model/records.h"

#include <QString>

#include <memory>

namespace lt {

inline constexpr qint64 ProjectFileSize = sizeof(sDane);

/// The fixed message texts of reading a project file.
inline QString msgProjectSizeMismatch() {
    return QStringLiteral("Mismatch file project size !");
}
inline QString msgProjectVersionMismatch() {
    return QStringLiteral("Mismatch project version!");
}

/// Result of reading a project file into a buffer of its own.
struct ProjectRead {
    enum Status { Ok, IoError, SizeMismatch, VersionMismatch };
    Status status = IoError;
    QString error;                // the message to show when status is not Ok
    std::unique_ptr<sDane> data;  // the file's bytes when status is Ok
};

/// The checks a project's bytes pass before any of them is used: the size,
/// then the version. Returns Ok, or the status with its message in `error`.
ProjectRead::Status checkProjectBytes(const char* data, qint64 size, QString& error);

/// Reads a whole project file and checks its size and version before any
/// byte of it is used. The project in memory is never touched.
ProjectRead readProjectFile(const QString& path);

/// What opening a project does to its record before anything is drawn: an
/// edited view outside the project becomes view 1 (a file written elsewhere
/// may name one), the selection moves to view 1 of language 1, the language
/// names are read and stored back, language 1 is in use and the use flags of
/// the others become 0 or 1. The editor's Open and every build of a project
/// file into an image do this, so both give the same image.
void settleOpenedProject(sDane& d);

/// Writes the project in one block through the safe write of writeFileSafely.
/// Returns an empty string on success, else the system's error text.
QString writeProjectFile(const sDane& dane, const QString& path);

/// Writes bytes safely: into a temporary file beside the target, renamed
/// over it, so a failure leaves the old file as it was. Where the temporary
/// file cannot be made or cannot take the place of an existing file (a
/// folder that allows writing that file only), the file is written in place. Devices and pipes
/// are always written in place. Returns an empty string on success, else the
/// system's reason ("No space left on device").
QString writeFileAtomically(const QString& path, const char* data, qint64 size);

/// The in-place write the safe write falls back to: opens the existing file
/// for writing, truncated, and writes the bytes.
QString writeFileInPlace(const QString& path, const char* data, qint64 size);

/// The message of a failed write: the file's name and the system's reason.
inline QString msgWriteFailed(const QString& path, const QString& reason) {
    return QStringLiteral("%1: %2").arg(path, reason);
}

/// The most a file of no fixed size (a destination list, a timetable feed)
/// is read to: far above any real one, and a bound on a device that reads
/// without end.
inline constexpr qint64 WholeFileLimit = qint64(1) << 30;

/// Reads a whole file; returns false with the system's error text on
/// failure, or when the file holds more than maxSize bytes.
bool readWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 maxSize = WholeFileLimit);

/// Reading a file of one fixed size.
enum class FixedRead { Ok, IoError, WrongSize };

/// Reads a file that must be exactly `expected` bytes long. The size is
/// checked before any byte is read (a file of gigabytes picked by mistake is
/// never loaded), and once more on the open file. `size` receives the size
/// found, -1 when there is no file; `error` the system's text on IoError.
FixedRead readFileOfSize(const QString& path, qint64 expected, QByteArray& bytes, qint64& size,
                         QString& error);

}  // namespace lt
