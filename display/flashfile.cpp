#include "display/flashfile.h"

#include "model/projectfile.h"

#include <QFileInfo>

#include <cstring>

namespace lt {

QString msgFileSizeMismatch(qint64 size, qint64 expected) {
    return QStringLiteral("Size of file ") + QString::number(size) +
           QStringLiteral(" is mismatch of program version ") + QString::number(expected);
}

qint64 MyFileSize(const QString& FileName) {
    const QFileInfo fi(FileName);
    if (FileName.isEmpty() || !fi.exists()) return -1;
    // The whole size: a file of 4 GiB and more must not pass for a small one.
    return fi.size();
}

QString readFixedSizeFile(const QString& path, qint64 expected, QByteArray& bytes) {
    qint64 size = -1;
    QString error;
    switch (readFileOfSize(path, expected, bytes, size, error)) {
        case FixedRead::Ok: return QString();
        case FixedRead::WrongSize: return msgFileSizeMismatch(size, expected);
        case FixedRead::IoError: break;
    }
    // A missing file is refused by its size, as the size lookup reports it.
    return size < 0 ? msgFileSizeMismatch(size, expected) : error;
}

QString writeFlashFile(const sflash& flash, const QString& path) {
    return writeFileAtomically(path, reinterpret_cast<const char*>(&flash), sizeof flash);
}

QString readFlashFile(const QString& path, sflash& flash) {
    QByteArray bytes;
    const QString error = readFixedSizeFile(path, FlashSize, bytes);
    if (!error.isEmpty()) return error;
    std::memcpy(&flash, bytes.constData(), sizeof flash);
    return QString();
}

QString readFirmwareFile(const QString& path, sDane& dane) {
    QByteArray bytes;
    const QString error = readFixedSizeFile(path, FirmwareSize, bytes);
    if (!error.isEmpty()) return error;
    std::memcpy(dane.firmware, bytes.constData(), sizeof dane.firmware);
    return QString();
}

}  // namespace lt
