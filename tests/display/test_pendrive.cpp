// The pendrive commands: export, import, firmware import and font import.
#include "display/flash.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <cstring>
#include <gtest/gtest.h>

namespace lt {
namespace {

using test::ScriptedPrompts;
using test::TempDir;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray pattern(qint64 size, int seed) {
    QByteArray b(size, Qt::Uninitialized);
    std::uint32_t x = 2463534242u + static_cast<std::uint32_t>(seed);
    for (qint64 i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = static_cast<char>(x);
    }
    return b;
}

struct Recorder : DocumentObserver {
    QStringList calls;
    void gridsRepaint() override { calls << QStringLiteral("grids"); }
    void setViewsPanelVisible(bool v) override {
        calls << (v ? QStringLiteral("show") : QStringLiteral("hide"));
    }
};

class Pendrive : public ::testing::Test {
protected:
    void SetUp() override {
        doc.newDane();
        doc.setObserver(&recorder);
    }
    Document doc;
    Recorder recorder;
    ScriptedPrompts prompts;
    TempDir dir;
};

TEST_F(Pendrive, ExportWritesTheWholeImage) {
    const QString out = dir.file(QStringLiteral("velmoraflash.bin"));
    prompts.paths.push_back(out);
    Eksportujdoplikuwywietlacza1Click(doc, prompts);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    const FileDialogSpec& request = prompts.dialogs[0];
    EXPECT_EQ(request.title, QStringLiteral("Save file on pendrive"));
    EXPECT_EQ(request.filter, QStringLiteral("Pendrive file (*.bin)|*.bin"));
    EXPECT_EQ(request.defaultExt, QStringLiteral("*.bin"));
    EXPECT_EQ(request.fileName, QStringLiteral("velmoraflash"));
    EXPECT_TRUE(request.confirmOverwrite);
    // A routine confirmation in passing, naming the file written.
    EXPECT_EQ(prompts.notes,
              QStringList{QStringLiteral("Data from flash memory has correctly exported.\nFile: ") + out});
    EXPECT_EQ(prompts.messages, prompts.notes);
    const QByteArray bytes = fileBytes(out);
    ASSERT_EQ(bytes.size(), 8388608);
    EXPECT_EQ(std::memcmp(bytes.constData(), &doc.flash(), FlashSize), 0);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[5]), 128);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[6]), 32);
}

TEST_F(Pendrive, CancelledExportStillBuildsAndWritesNothing) {
    Eksportujdoplikuwywietlacza1Click(doc, prompts);
    EXPECT_EQ(prompts.dialogs.size(), 1);
    EXPECT_TRUE(prompts.messages.isEmpty());
    EXPECT_EQ(doc.flash().subvers, 100);
    EXPECT_TRUE(recorder.calls.contains(QStringLiteral("grids")));  // thumbnails refreshed
}

TEST_F(Pendrive, ExportWriteFailureIsReportedNotPraised) {
    const QString blocker = dir.file(QStringLiteral("plain"));
    writeBytes(blocker, "x");
    for (const QString& target :
         {blocker + QStringLiteral("/out.bin"), dir.path(), QStringLiteral("/dev/full")}) {
        prompts.messages.clear();
        prompts.paths.push_back(target);
        Eksportujdoplikuwywietlacza1Click(doc, prompts);
        ASSERT_EQ(prompts.messages.size(), 1) << target.toStdString();
        EXPECT_FALSE(prompts.messages[0].startsWith(QStringLiteral("Data from flash memory")));
        EXPECT_FALSE(prompts.messages[0].isEmpty());
        EXPECT_TRUE(prompts.notes.isEmpty());
    }
    EXPECT_EQ(fileBytes(blocker), QByteArray("x"));
}

TEST_F(Pendrive, ImportRefusesWrongSizes) {
    std::memset(&doc.flash(), 0x3C, sizeof(sflash));
    const struct {
        qint64 size;
        const char* message;
    } cases[] = {
        {8388607, "Size of file 8388607 is mismatch of program version 8388608"},
        {8388609, "Size of file 8388609 is mismatch of program version 8388608"},
        {1024, "Size of file 1024 is mismatch of program version 8388608"},
        {-1, "Size of file -1 is mismatch of program version 8388608"},
    };
    for (const auto& c : cases) {
        const QString path = dir.file(QStringLiteral("f%1.bin").arg(c.size));
        if (c.size >= 0) writeBytes(path, QByteArray(c.size, '\x11'));
        prompts.messages.clear();
        prompts.paths.push_back(path);
        Importujzplikuwywitlacza1Click(doc, prompts);
        EXPECT_EQ(prompts.messages, QStringList{QString::fromLatin1(c.message)});
    }
    EXPECT_EQ(prompts.dialogs[0].title, QStringLiteral("Open files from pendrive"));
    EXPECT_EQ(prompts.dialogs[0].filter, QStringLiteral("Pendrive file (*.bin)|*.bin"));
    EXPECT_EQ(prompts.dialogs[0].fileName, QStringLiteral("velmoraflash"));
    const auto* raw = reinterpret_cast<const std::uint8_t*>(&doc.flash());
    EXPECT_TRUE(std::all_of(raw, raw + FlashSize, [](std::uint8_t b) { return b == 0x3C; }));
    EXPECT_TRUE(recorder.calls.isEmpty());
    EXPECT_EQ(MyFileSize(dir.file(QStringLiteral("none"))), -1);
}

TEST_F(Pendrive, ImportThenExportCarriesWhatTheBuildNeverWrites) {
    const QByteArray foreign = pattern(FlashSize, 1);
    const QString in = dir.file(QStringLiteral("in.bin"));
    writeBytes(in, foreign);
    const std::vector<std::uint8_t> before(
        reinterpret_cast<const std::uint8_t*>(&doc.dane()),
        reinterpret_cast<const std::uint8_t*>(&doc.dane()) + sizeof(sDane));
    prompts.paths.push_back(in);
    Importujzplikuwywitlacza1Click(doc, prompts);
    EXPECT_EQ(prompts.messages,
              QStringList{QStringLiteral("Data from flash memory has correctly imported.")});
    EXPECT_EQ(recorder.calls,
              (QStringList{QStringLiteral("hide"), QStringLiteral("grids"), QStringLiteral("show")}));
    EXPECT_EQ(std::memcmp(&doc.flash(), foreign.constData(), FlashSize), 0);
    EXPECT_EQ(std::memcmp(&doc.dane(), before.data(), before.size()), 0);  // the project is not touched

    widok(doc.dane(), 2, 10).use = 1;
    const QString out = dir.file(QStringLiteral("out.bin"));
    prompts.paths.push_back(out);
    Eksportujdoplikuwywietlacza1Click(doc, prompts);
    const QByteArray exported = fileBytes(out);
    ASSERT_EQ(exported.size(), FlashSize);
    sflash* in0 = reinterpret_cast<sflash*>(const_cast<char*>(foreign.constData()));
    const sflash* ex = reinterpret_cast<const sflash*>(exported.constData());
    EXPECT_EQ(std::memcmp(ex->wyrownanie, in0->wyrownanie, sizeof ex->wyrownanie), 0);
    EXPECT_EQ(std::memcmp(ex->EEPROM, in0->EEPROM, sizeof ex->EEPROM), 0);
    EXPECT_EQ(std::memcmp(ex->fill, in0->fill, sizeof ex->fill), 0);
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) {
            const sRegionsGray& a = screen(*ex, l, v).widok;
            const sRegionsGray& b = screen(*in0, l, v).widok;
            ASSERT_EQ(a.gorny.sign, b.gorny.sign);
            ASSERT_EQ(a.lewy.sign, b.lewy.sign);
            ASSERT_EQ(a.dolny.sign, b.dolny.sign);
            ASSERT_EQ(std::memcmp(a.pad, b.pad, 2), 0);
            if (l == 2 && v == 10) continue;
            ASSERT_EQ(std::memcmp(a.dolny.ekran, b.dolny.ekran, sizeof a.dolny.ekran), 0);
        }
    // The header, the texts and the settings come from the project.
    EXPECT_EQ(ex->subvers, 100);
    EXPECT_EQ(std::memcmp(ex->firmware, doc.dane().firmware, FirmwareSize), 0);
    EXPECT_STREQ(ex->Lang[0].Nazwa, "English");
    EXPECT_EQ(screen(*ex, 2, 10).use, 1);
    EXPECT_EQ(screen(*ex, 1, 1).use, 0);
    EXPECT_STREQ(screen(*ex, 3, 300).widok.gorny.Text, "Top300");
    EXPECT_NE(std::memcmp(screen(*ex, 2, 10).widok.dolny.ekran, screen(*in0, 2, 10).widok.dolny.ekran, 5120),
              0);
}

TEST_F(Pendrive, ImportFromAFolderOrUnreadableFileLeavesTheImage) {
    prompts.paths.push_back(dir.path());
    Importujzplikuwywitlacza1Click(doc, prompts);
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_NE(prompts.messages[0], QStringLiteral("Data from flash memory has correctly imported."));
    EXPECT_EQ(doc.flash().subvers, 0);
}

TEST_F(Pendrive, FirmwareImport) {
    const QByteArray fw = pattern(FirmwareSize, 7);
    const QString path = dir.file(QStringLiteral("fw.bin"));
    writeBytes(path, fw);
    prompts.paths.push_back(path);
    Importujoprogramowaniesprztowe1Click(doc, prompts);
    ASSERT_EQ(prompts.dialogs.size(), 1);
    EXPECT_EQ(prompts.dialogs[0].title, QStringLiteral("Importuj oprogramowanie sprzetowe Korvo"));
    EXPECT_EQ(prompts.dialogs[0].filter, QStringLiteral("Oprogramowanie (*.bin)|*.bin"));
    EXPECT_EQ(prompts.dialogs[0].defaultExt, QStringLiteral("*.bin"));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Firmware has load corectly.")});
    EXPECT_EQ(std::memcmp(doc.dane().firmware, fw.constData(), FirmwareSize), 0);
    EXPECT_EQ(doc.flash().firmware[0], 0);  // not copied into the image at once

    const QString out = dir.file(QStringLiteral("out.bin"));
    prompts.paths.push_back(out);
    Eksportujdoplikuwywietlacza1Click(doc, prompts);
    const QByteArray image = fileBytes(out);
    ASSERT_EQ(image.size(), FlashSize);
    EXPECT_EQ(image.mid(8192, 204800 - 8192), fw);
    EXPECT_EQ(image[2], 0);  // verfirmware
    EXPECT_EQ(image[3], 0);  // subfirmware

    // File > New brings back the built-in firmware.
    doc.newDane();
    EXPECT_NE(std::memcmp(doc.dane().firmware, fw.constData(), FirmwareSize), 0);
}

TEST_F(Pendrive, FirmwareOfTheWrongSizeIsRefused) {
    const std::vector<std::uint8_t> before(doc.dane().firmware, doc.dane().firmware + FirmwareSize);
    for (qint64 size : {196607, 196609, 200000}) {
        const QString path = dir.file(QStringLiteral("fw%1.bin").arg(size));
        writeBytes(path, QByteArray(size, '\x42'));
        prompts.messages.clear();
        prompts.paths.push_back(path);
        Importujoprogramowaniesprztowe1Click(doc, prompts);
        EXPECT_EQ(
            prompts.messages,
            QStringList{QStringLiteral("Size of file %1 is mismatch of program version 196608").arg(size)});
    }
    EXPECT_EQ(std::memcmp(doc.dane().firmware, before.data(), FirmwareSize), 0);
    // Cancel: no message.
    prompts.messages.clear();
    Importujoprogramowaniesprztowe1Click(doc, prompts);
    EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(Pendrive, FontImportDoesNothing) {
    prompts.paths.push_back(dir.file(QStringLiteral("x.faf")));
    Importujczcionki1Click(doc, prompts);
    EXPECT_TRUE(prompts.dialogs.isEmpty());
    EXPECT_TRUE(prompts.messages.isEmpty());
}

}  // namespace
}  // namespace lt
