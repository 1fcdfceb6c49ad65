// The safe write and the fixed-size read: the system's reason for every
// failed write, the in-place fall-back, and sizes checked before reading.
#include "display/flashfile.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace lt {
namespace {

using test::fileContent;
using test::putFile;
using test::TempDir;

TEST(SafeWrite, WithoutATemporaryFileBesideItAnExistingFileIsWrittenInPlace) {
    TempDir dir;
    // A name near the longest a folder takes leaves no room for the suffix of
    // a temporary file's name, while the file itself can be written.
    const QString path = dir.file(QString(250, QLatin1Char('n')));
    putFile(path, QByteArray("the old project, longer than the new one"));
    const QByteArray fresh("new bytes");
    EXPECT_EQ(writeFileAtomically(path, fresh.constData(), fresh.size()), QString());
    EXPECT_EQ(fileContent(path), fresh);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

struct FailedWrite {
    const char* what;
    QString (*target)(const TempDir& dir);
    const char* reason;  // the system's text
};

class SafeWriteFailure : public ::testing::TestWithParam<FailedWrite> {};

TEST_P(SafeWriteFailure, ReportsTheSystemsReason) {
    TempDir dir;
    putFile(dir.file(QStringLiteral("file")), "kept");
    const QString path = GetParam().target(dir);
    const QByteArray bytes(4096, 'x');
    const QString error = writeFileAtomically(path, bytes.constData(), bytes.size());
    EXPECT_EQ(error, QString::fromLatin1(GetParam().reason));
    EXPECT_EQ(fileContent(dir.file(QStringLiteral("file"))), QByteArray("kept"));
    EXPECT_EQ(msgWriteFailed(path, error), path + QStringLiteral(": ") + error);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SafeWriteFailure,
    ::testing::Values(FailedWrite{"FullDevice", [](const TempDir&) { return QStringLiteral("/dev/full"); },
                                  "No space left on device"},
                      FailedWrite{"UnderARegularFile",
                                  [](const TempDir& d) { return d.file(QStringLiteral("file/x.bin")); },
                                  "Not a directory"},
                      FailedWrite{"AFolder", [](const TempDir& d) { return d.path(); }, "Is a directory"},
                      FailedWrite{"MissingFolder",
                                  [](const TempDir& d) { return d.file(QStringLiteral("none/x.bin")); },
                                  "No such file or directory"}),
    [](const ::testing::TestParamInfo<FailedWrite>& p) { return std::string(p.param.what); });

// A disk that fills up part way takes the first bytes and refuses the rest:
// the reason is the system's, never "Unknown error", and the old file stays.
TEST(SafeWrite, AWriteCutShortReportsWhyAndKeepsTheOldFile) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("image.bin"));
    putFile(path, "old");
    const QByteArray bytes(64 * 1024, 'x');
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 10000;  // files may grow to 10,000 bytes
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const QString error = writeFileAtomically(path, bytes.constData(), bytes.size());
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, QStringLiteral("File too large"));
    EXPECT_EQ(fileContent(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(FixedSizeRead, SizeIsCheckedBeforeAnyByteIsRead) {
    TempDir dir;
    // 64 GiB that take no room: reading them whole would exhaust memory.
    const QString huge = dir.file(QStringLiteral("huge.vmprj"));
    {
        QFile f(huge);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(qint64{64} << 30));
    }
    const ProjectRead project = readProjectFile(huge);
    EXPECT_EQ(project.status, ProjectRead::SizeMismatch);
    EXPECT_EQ(project.error, msgProjectSizeMismatch());
    sflash* flash = new sflash;
    EXPECT_EQ(readFlashFile(huge, *flash), msgFileSizeMismatch(qint64{64} << 30, FlashSize));
    delete flash;

    // A pipe is refused by its size without waiting for a writer.
    const QString pipe = dir.file(QStringLiteral("pipe.bin"));
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(readProjectFile(pipe).status, ProjectRead::SizeMismatch);
    sDane* dane = new sDane{};
    EXPECT_EQ(readFirmwareFile(pipe, *dane), msgFileSizeMismatch(0, FirmwareSize));
    delete dane;
}

TEST(FixedSizeRead, OnlyTheExactSizeIsRead) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("fw.bin"));
    for (const qint64 size : {FirmwareSize - 1, FirmwareSize + 1, FirmwareSize}) {
        putFile(path, QByteArray(size, '\x5A'));
        QByteArray bytes;
        qint64 found = -2;
        QString error;
        const FixedRead read = readFileOfSize(path, FirmwareSize, bytes, found, error);
        EXPECT_EQ(found, size);
        EXPECT_EQ(read, size == FirmwareSize ? FixedRead::Ok : FixedRead::WrongSize);
        EXPECT_EQ(bytes.size(), size == FirmwareSize ? size : 0);
    }
    QByteArray bytes;
    qint64 found = 0;
    QString error;
    EXPECT_EQ(readFileOfSize(dir.file(QStringLiteral("none")), 10, bytes, found, error), FixedRead::IoError);
    EXPECT_EQ(found, -1);
    EXPECT_EQ(error, QStringLiteral("No such file or directory"));
    EXPECT_EQ(readFileOfSize(dir.path(), 10, bytes, found, error), FixedRead::IoError);
    EXPECT_EQ(error, QStringLiteral("Is a directory"));
}

// Files of no fixed size (lists, feeds) are read to a bound, so a device
// that reads without end is refused instead of filling the memory.
TEST(WholeFileRead, StopsAtItsBound) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("list.csv"));
    putFile(path, QByteArray(3000, 'x'));
    QByteArray bytes;
    QString error;
    EXPECT_TRUE(readWholeFile(path, bytes, error, 3000));
    EXPECT_EQ(bytes.size(), 3000);
    EXPECT_FALSE(readWholeFile(path, bytes, error, 2999));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_TRUE(error.contains(QStringLiteral("larger than 2999"))) << error.toStdString();
    EXPECT_FALSE(readWholeFile(QStringLiteral("/dev/zero"), bytes, error, 5 << 20));
    EXPECT_TRUE(bytes.isEmpty());
    EXPECT_FALSE(readWholeFile(dir.path(), bytes, error));
    EXPECT_EQ(error, QStringLiteral("Is a directory"));
}

}  // namespace
}  // namespace lt
