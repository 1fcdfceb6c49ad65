#include "display/pendrive.h"

#include "display/flashbuild.h"
#include "model/carry.h"
#include "model/document.h"
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

void DecodeFlash2Korvo() {}

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
