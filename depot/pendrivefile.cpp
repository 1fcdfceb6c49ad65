#include "depot/pendrivefile.h"

#include "model/projectfile.h"
#include "model/sign.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lt {

QString msgCannotOpen(const QString& path, const QString& reason) {
    return QStringLiteral("cannot open %1: %2").arg(path, reason);
}

QString msgNotPendrive(const QString& path, const QString& why) {
    return QStringLiteral("%1 is not a pendrive file: %2").arg(path, why);
}

QString msgProjectNotPendrive(const QString& path) {
    return QStringLiteral("%1 is a project file, not a pendrive file").arg(path);
}

QString readPendriveFile(const QString& path, sflash& flash, PendriveTest test) {
    QByteArray bytes;
    qint64 size = -1;
    QString error;
    switch (readFileOfSize(path, FlashSize, bytes, size, error)) {
        case FixedRead::IoError: return msgCannotOpen(path, error);
        case FixedRead::WrongSize:
            if (size == ProjectFileSize && readProjectFile(path).status == ProjectRead::Ok)
                return msgProjectNotPendrive(path);
            return msgNotPendrive(
                path, QStringLiteral("it has %1 bytes; a pendrive file has %2").arg(size).arg(FlashSize));
        case FixedRead::Ok: break;
    }
    // The sign's size sits at a fixed place of the header; any other pair of
    // numbers there shows a file that is not an image of this sign.
    const auto byteAt = [&bytes](std::size_t offset) {
        return static_cast<std::uint8_t>(bytes[qsizetype(offset)]);
    };
    if (test == PendriveTest::Header &&
        (byteAt(offsetof(sflash, LedX)) != SignWidth || byteAt(offsetof(sflash, LedY)) != SignHeight))
        return msgNotPendrive(path, QStringLiteral("its header does not describe a sign of %1 x %2 LEDs")
                                        .arg(SignWidth)
                                        .arg(SignHeight));
    std::memcpy(static_cast<void*>(&flash), bytes.constData(), sizeof flash);
    return QString();
}

}  // namespace lt
