#include "model/projectfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace lt {

bool readWholeFile(const QString& path, QByteArray& bytes, QString& error, qint64 maxSize) {
    QFile f(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("Is a directory");
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    // Read in blocks up to one byte past the limit, so a device that never
    // ends (or a file far larger than any real one) is refused, not loaded.
    bytes.clear();
    constexpr qint64 block = qint64(1) << 20;
    while (bytes.size() <= maxSize) {
        const QByteArray chunk = f.read(std::min(block, maxSize + 1 - qint64(bytes.size())));
        if (f.error() != QFileDevice::NoError) {
            error = f.errorString();
            bytes.clear();
            return false;
        }
        if (chunk.isEmpty()) return true;
        bytes += chunk;
    }
    bytes.clear();
    error = QStringLiteral("the file is larger than %1 bytes").arg(maxSize);
    return false;
}

FixedRead readFileOfSize(const QString& path, qint64 expected, QByteArray& bytes, qint64& size,
                         QString& error) {
    const QFileInfo info(path);
    size = info.exists() ? info.size() : -1;
    if (info.isDir()) {
        error = QStringLiteral("Is a directory");
        return FixedRead::IoError;
    }
    // A missing file reads as an error of the system, any other file of the
    // wrong size (a pipe or device included, whose size is 0) is refused
    // without being opened.
    if (size >= 0 && size != expected) return FixedRead::WrongSize;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return FixedRead::IoError;
    }
    size = f.size();
    if (size != expected) return FixedRead::WrongSize;
    // One byte more than expected shows a file that grew since.
    QByteArray read = f.read(expected + 1);
    if (f.error() != QFileDevice::NoError) {
        error = f.errorString();
        return FixedRead::IoError;
    }
    if (read.size() != expected) {
        size = read.size();
        return FixedRead::WrongSize;
    }
    bytes = std::move(read);
    return FixedRead::Ok;
}

ProjectRead::Status checkProjectBytes(const char* data, qint64 size, QString& error) {
    if (size != ProjectFileSize) {
        error = msgProjectSizeMismatch();
        return ProjectRead::SizeMismatch;
    }
    std::int32_t version = 0;
    std::memcpy(&version, data, sizeof version);
    if (version < ProjectVersion) {
        error = msgProjectVersionMismatch();
        return ProjectRead::VersionMismatch;
    }
    return ProjectRead::Ok;
}

ProjectRead readProjectFile(const QString& path) {
    ProjectRead result;
    QByteArray bytes;
    qint64 size = -1;
    switch (readFileOfSize(path, ProjectFileSize, bytes, size, result.error)) {
        case FixedRead::IoError: result.status = ProjectRead::IoError; return result;
        case FixedRead::WrongSize:
            result.status = ProjectRead::SizeMismatch;
            result.error = msgProjectSizeMismatch();
            return result;
        case FixedRead::Ok: break;
    }
    result.status = checkProjectBytes(bytes.constData(), bytes.size(), result.error);
    if (result.status != ProjectRead::Ok) return result;
    result.data = std::make_unique<sDane>();
    std::memcpy(result.data.get(), bytes.constData(), sizeof(sDane));
    return result;
}

namespace {

/// Writes all bytes, going on after a short write so that the call that
/// fails carries the system's reason (a full disk first takes what fits).
bool writeAll(QFileDevice& f, const char* data, qint64 size) {
    qint64 done = 0;
    while (done < size) {
        const qint64 n = f.write(data + done, size - done);
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

/// The device's reason, never an empty or unspecific text.
QString reasonOf(const QFileDevice& f) {
    const QString reason = f.errorString();
    return reason.isEmpty() || f.error() == QFileDevice::NoError ? QStringLiteral("Write error") : reason;
}

}  // namespace

QString writeFileInPlace(const QString& path, const char* data, qint64 size) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return f.errorString();
    if (!writeAll(f, data, size) || !f.flush()) return reasonOf(f);
    f.close();
    if (f.error() != QFileDevice::NoError) return f.errorString();
    return QString();
}

QString writeFileAtomically(const QString& path, const char* data, qint64 size) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("Is a directory");
    // A device or pipe is written in place: renaming a temporary file over
    // it would replace the device itself.
    if (info.exists() && !info.isFile()) return writeFileInPlace(path, data, size);
    QSaveFile f(path);
    f.setDirectWriteFallback(false);
    if (!f.open(QIODevice::WriteOnly)) {
        // No temporary file beside an existing one (a folder that allows
        // writing that file only): it is written in place.
        if (info.exists()) return writeFileInPlace(path, data, size);
        return f.errorString();
    }
    if (!writeAll(f, data, size)) {
        const QString error = reasonOf(f);
        f.cancelWriting();
        return error;
    }
    if (!f.commit()) {
        // The temporary file was written but cannot take the existing file's
        // place: that file is written in place.
        // (The platform reports a failed replacement as a rename error or an
        // unspecified one; a failed write of the bytes is a write error.)
        const bool notReplaced =
            f.error() == QFileDevice::RenameError || f.error() == QFileDevice::UnspecifiedError;
        if (notReplaced && info.exists()) return writeFileInPlace(path, data, size);
        return reasonOf(f);
    }
    return QString();
}

QString writeProjectFile(const sDane& dane, const QString& path) {
    return writeFileAtomically(path, reinterpret_cast<const char*>(&dane), sizeof dane);
}

void settleOpenedProject(sDane& d) {
    if (d.EditRow < 1 || d.EditRow > ViewCount) d.EditRow = 1;
    d.SelectRow = 1;
    d.SelectCol = 1;
    d.SelWidok = 1;
    for (auto& lang : d.Lang) StringToWideChar(ReadText(lang.Nazwa), lang.Nazwa);
    d.Lang[0].Use = 1;
    d.Lang[1].Use = isTrue(d.Lang[1].Use) ? 1 : 0;
    d.Lang[2].Use = isTrue(d.Lang[2].Use) ? 1 : 0;
}

}  // namespace lt
