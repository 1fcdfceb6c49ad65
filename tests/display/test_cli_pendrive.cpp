// linetint-cli export, info and decode on pendrive files.
#include "display/flash.h"
#include "editor/document.h"
#include "model/sign.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstddef>
#include <gtest/gtest.h>
#include <random>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray randomBytes(qint64 n, unsigned seed) {
    std::mt19937 gen(seed);
    QByteArray b(n, Qt::Uninitialized);
    for (qint64 i = 0; i < n; ++i) b[i] = static_cast<char>(gen());
    return b;
}

/// A project with three views in use, written to a file.
QString writeProject(const TempDir& dir) {
    Document doc;
    doc.newDane();
    sDane& d = doc.dane();
    widok(d, 1, 1).use = 1;
    widok(d, 1, 1).Time = 7;
    StringToWideChar(QStringLiteral("Łódź Fabryczna"), widok(d, 1, 1).NazwaKursu);
    widok(d, 1, 2).use = 1;
    widok(d, 1, 2).TypWidoku = vtTop;
    d.Lang[1].Use = 1;
    widok(d, 2, 300).use = 1;
    widok(d, 2, 300).TypWidoku = vtLeftTop;
    const QString path = dir.file(QStringLiteral("three.vmprj"));
    EXPECT_TRUE(doc.writeProject(path).isEmpty());
    return path;
}

TEST(CliPendrive, ExportDefaultProjectAndDescribeIt) {
    TempDir dir;
    const QString out = dir.file(QStringLiteral("velmoraflash.bin"));
    const auto r = runCli({QStringLiteral("export"), QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray image = fileBytes(out);
    ASSERT_EQ(image.size(), 8388608);
    EXPECT_EQ(image.left(10), QByteArray("\x01\x64\x00\x00\x00\x80\x20\x02\x00\x00", 10));

    const auto info = runCli({QStringLiteral("info"), out});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("Pendrive file")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("Language 1: English (in use), 0 screens in use")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("firmware 0.0 (built-in)")));
}

TEST(CliPendrive, ExportProjectWithFirmwareAndBase) {
    TempDir dir;
    const QString project = writeProject(dir);
    const QByteArray fw = randomBytes(FirmwareSize, 3);
    const QByteArray base = randomBytes(FlashSize, 4);
    writeBytes(dir.file(QStringLiteral("fw.bin")), fw);
    writeBytes(dir.file(QStringLiteral("base.bin")), base);
    const QString out = dir.file(QStringLiteral("out.bin"));
    const auto r = runCli({QStringLiteral("export"), project, QStringLiteral("--firmware"),
                           dir.file(QStringLiteral("fw.bin")), QStringLiteral("--base"),
                           dir.file(QStringLiteral("base.bin")), QStringLiteral("-o"), out});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QByteArray image = fileBytes(out);
    ASSERT_EQ(image.size(), FlashSize);
    EXPECT_EQ(image.mid(8192, FirmwareSize), fw);
    EXPECT_EQ(image.mid(4096, 4096), base.mid(4096, 4096));          // EEPROM
    EXPECT_EQ(image.mid(7523600), base.mid(7523600));                // fill
    EXPECT_EQ(image.mid(141, 3955), base.mid(141, 3955));            // wyrownanie
    EXPECT_EQ(image.mid(204800 + 16, 4), base.mid(204800 + 16, 4));  // sign of the top region of (1, 1)
    EXPECT_EQ(static_cast<std::uint8_t>(image[1]), 100);

    const auto info = runCli({QStringLiteral("info"), QStringLiteral("--json"), out});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(info.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("kind")].toString(), QStringLiteral("pendrive"));
    EXPECT_EQ(o[QStringLiteral("firmware")].toString(), QStringLiteral("other"));
    EXPECT_EQ(o[QStringLiteral("ledX")].toInt(), 128);
    const QJsonArray langs = o[QStringLiteral("languages")].toArray();
    ASSERT_EQ(langs.size(), 3);
    const QJsonArray s1 = langs[0].toObject()[QStringLiteral("screensInUse")].toArray();
    ASSERT_EQ(s1.size(), 2);
    EXPECT_EQ(s1[0].toObject()[QStringLiteral("view")].toInt(), 1);
    EXPECT_EQ(s1[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("Lódź Fabryczna"));
    EXPECT_EQ(s1[0].toObject()[QStringLiteral("time")].toInt(), 7);
    EXPECT_EQ(s1[0].toObject()[QStringLiteral("typeName")].toString(), QStringLiteral("vtLeftTopBottom"));
    EXPECT_EQ(s1[1].toObject()[QStringLiteral("typeName")].toString(), QStringLiteral("vtTop"));
    const QJsonArray s2 = langs[1].toObject()[QStringLiteral("screensInUse")].toArray();
    ASSERT_EQ(s2.size(), 1);
    EXPECT_EQ(s2[0].toObject()[QStringLiteral("view")].toInt(), 300);
    EXPECT_EQ(langs[2].toObject()[QStringLiteral("screensInUse")].toArray().size(), 0);
}

TEST(CliPendrive, BadInputsFailAndWriteNothing) {
    TempDir dir;
    writeBytes(dir.file(QStringLiteral("short.bin")), QByteArray(8388607, 0));
    writeBytes(dir.file(QStringLiteral("fw.bin")), QByteArray(196607, 0));
    writeBytes(dir.file(QStringLiteral("plain")), "x");
    QByteArray stick(FlashSize, 0);
    stick[offsetof(sflash, LedX)] = static_cast<char>(SignWidth);
    stick[offsetof(sflash, LedY)] = static_cast<char>(SignHeight);
    writeBytes(dir.file(QStringLiteral("stick.bin")), stick);
    const QString out = dir.file(QStringLiteral("out.bin"));
    struct Case {
        QStringList args;
        QString error;
    };
    const QList<Case> cases = {
        {{QStringLiteral("export"), QStringLiteral("--base"), dir.file(QStringLiteral("short.bin")),
          QStringLiteral("-o"), out},
         QStringLiteral(
             "short.bin is not a pendrive file: it has 8388607 bytes; a pendrive file has 8388608")},
        {{QStringLiteral("export"), QStringLiteral("--firmware"), dir.file(QStringLiteral("fw.bin")),
          QStringLiteral("-o"), out},
         QStringLiteral("Size of file 196607 is mismatch of program version 196608")},
        {{QStringLiteral("export"), dir.file(QStringLiteral("short.bin")), QStringLiteral("-o"), out},
         QStringLiteral("short.bin is not a project file: it has 8388607 bytes; a project file has 6841400")},
        {{QStringLiteral("export"), QStringLiteral("--base"), dir.file(QStringLiteral("none.bin")),
          QStringLiteral("-o"), out},
         QStringLiteral("cannot open %1: No such file or directory")
             .arg(dir.file(QStringLiteral("none.bin")))},
        {{QStringLiteral("render"), dir.file(QStringLiteral("stick.bin")), QStringLiteral("-o"),
          dir.file(QStringLiteral("out.png"))},
         QStringLiteral("stick.bin is a pendrive file, not a project; `linetint-cli recover ")},
        {{QStringLiteral("decode"), dir.file(QStringLiteral("short.bin")), QStringLiteral("--lang"),
          QStringLiteral("1"), QStringLiteral("--view"), QStringLiteral("1"), QStringLiteral("-o"), out},
         QStringLiteral("short.bin is not a pendrive file: it has 8388607 bytes")},
        {{QStringLiteral("export"), QStringLiteral("-o"),
          dir.file(QStringLiteral("plain")) + QStringLiteral("/x.bin")},
         QString()},
    };
    for (const Case& c : cases) {
        const auto r = runCli(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.args.join(' ').toStdString();
        if (!c.error.isEmpty()) {
            EXPECT_TRUE(r.err.contains(c.error)) << r.err.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(out)) << c.args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("plain")) + QStringLiteral("/x.bin")));
    const auto info = runCli({QStringLiteral("info"), dir.file(QStringLiteral("short.bin"))});
    EXPECT_EQ(info.exitCode, 1);
}

TEST(CliPendrive, DecodeArgumentsAndForeignImages) {
    TempDir dir;
    const QString image = dir.file(QStringLiteral("foreign.bin"));
    writeBytes(image, randomBytes(FlashSize, 9));
    const QString png = dir.file(QStringLiteral("s.png"));
    for (const QStringList& bad :
         {QStringList{QStringLiteral("--lang"), QStringLiteral("4"), QStringLiteral("--view"),
                      QStringLiteral("1")},
          QStringList{QStringLiteral("--lang"), QStringLiteral("1"), QStringLiteral("--view"),
                      QStringLiteral("301")},
          QStringList{QStringLiteral("--lang"), QStringLiteral("1")},
          QStringList{QStringLiteral("--lang"), QStringLiteral("1"), QStringLiteral("--view"),
                      QStringLiteral("1"), QStringLiteral("--scale"), QStringLiteral("0")}}) {
        const auto r = runCli(QStringList{QStringLiteral("decode"), image, QStringLiteral("-o"), png} + bad);
        EXPECT_EQ(r.exitCode, 1) << bad.join(' ').toStdString();
        EXPECT_FALSE(QFileInfo::exists(png));
    }
    // Random bytes are a valid image: every screen decodes and info describes it.
    for (const auto& [l, v] : {std::pair{1, 1}, std::pair{2, 150}, std::pair{3, 300}}) {
        const auto r = runCli({QStringLiteral("decode"), image, QStringLiteral("--lang"), QString::number(l),
                               QStringLiteral("--view"), QString::number(v), QStringLiteral("--scale"),
                               QStringLiteral("6"), QStringLiteral("-o"), png});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_EQ(QImage(png).size(), QSize(768, 192));
    }
    const auto info = runCli({QStringLiteral("info"), QStringLiteral("--json"), image});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_FALSE(QJsonDocument::fromJson(info.out.toUtf8()).isNull());
}

}  // namespace
}  // namespace lt
