#pragma once
// The project file: the raw 6,841,400-byte image of sDane, no header.

#include "model/records.h"

#include <QString>

#include <memory>

namespace lt {

inline constexpr qint64 ProjectFileSize = sizeof(sDane);

/// The fixed message texts of reading a project file.
inline QString msgProjectSizeMismatch() { return QStringLiteral("Mismatch file project size !"); }
inline QString msgProjectVersionMismatch() { return QStringLiteral("Mismatch project version!"); }

/// Result of reading a project file into a buffer of its own.
struct ProjectRead {
    enum Status { Ok, IoError, SizeMismatch, VersionMismatch };
    Status status = IoError;
    QString error;                 // the message to show when status is not Ok
    std::unique_ptr<sDane> data;   // the file's bytes when status is Ok
};

/// The checks a project's bytes pass before any of them is used: the size,
/// then the version. Returns Ok, or the status with its message in `error`.
ProjectRead::Status checkProjectBytes(const char* data, qint64 size, QString& error);

/// Reads a whole project file and checks its size and version before any
/// byte of it is used. The project in memory is never touched.
ProjectRead readProjectFile(const QString& path);

/// Writes the project in one block through a temporary file beside the
/// target, renamed over it, so a failure leaves the old file as it was.
/// Returns an empty string on success, else the system's error text.
QString writeProjectFile(const sDane& dane, const QString& path);

/// Writes bytes atomically (temporary file renamed over the target). Returns
/// an empty string on success, else the system's error text.
QString writeFileAtomically(const QString& path, const char* data, qint64 size);

/// Reads a whole file; returns false with the system's error text on failure.
bool readWholeFile(const QString& path, QByteArray& bytes, QString& error);

}  // namespace lt
