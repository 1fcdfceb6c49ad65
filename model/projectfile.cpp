#include "model/projectfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstring>

namespace lt {

bool readWholeFile(const QString& path, QByteArray& bytes, QString& error) {
    QFile f(path);
    if (QFileInfo(path).isDir()) {
        error = QStringLiteral("%1: Is a directory").arg(path);
        return false;
    }
    if (!f.open(QIODevice::ReadOnly)) {
        error = f.errorString();
        return false;
    }
    bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        error = f.errorString();
        return false;
    }
    return true;
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
    if (!readWholeFile(path, bytes, result.error)) {
        result.status = ProjectRead::IoError;
        return result;
    }
    result.status = checkProjectBytes(bytes.constData(), bytes.size(), result.error);
    if (result.status != ProjectRead::Ok) return result;
    result.data = std::make_unique<sDane>();
    std::memcpy(result.data.get(), bytes.constData(), sizeof(sDane));
    return result;
}

QString writeFileAtomically(const QString& path, const char* data, qint64 size) {
    const QFileInfo info(path);
    if (info.isDir()) return QStringLiteral("%1: Is a directory").arg(path);
    if (info.exists() && !info.isFile()) {
        // A device or pipe is written in place: renaming a temporary file over
        // it would replace the device itself.
        QFile device(path);
        if (!device.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return device.errorString();
        if (device.write(data, size) != size || !device.flush()) return device.errorString();
        device.close();
        if (device.error() != QFileDevice::NoError) return device.errorString();
        return QString();
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    if (f.write(data, size) != size) {
        const QString error = f.errorString();
        f.cancelWriting();
        return error;
    }
    if (!f.commit()) return f.errorString();
    return QString();
}

QString writeProjectFile(const sDane& dane, const QString& path) {
    return writeFileAtomically(path, reinterpret_cast<const char*>(&dane), sizeof dane);
}

}  // namespace lt
