// Every committed fuzzing corpus file through the body of its harness, as the
// fuzzer ran it: an input that once broke a reader is kept in
// fuzz/corpus/<harness>/ and replayed on every run. A broken rule stops the
// program with the rule's text (see LT_FUZZ_CHECK); the sanitizer build
// stops it on memory errors and undefined behaviour.

#include "fuzz/harness.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <gtest/gtest.h>

namespace lt {
namespace {

QString corpusRoot() {
    return QStringLiteral(LINETINT_SOURCE_DIR "/fuzz/corpus");
}

std::vector<std::string> harnessNames() {
    std::vector<std::string> names;
    for (const fuzz::Harness& h : fuzz::harnesses()) names.push_back(h.name);
    std::sort(names.begin(), names.end());
    return names;
}

fuzz::Body bodyOf(const std::string& name) {
    for (const fuzz::Harness& h : fuzz::harnesses())
        if (name == h.name) return h.body;
    return nullptr;
}

class FuzzReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(FuzzReplay, EveryCorpusFilePassesItsHarness) {
    const fuzz::Body body = bodyOf(GetParam());
    ASSERT_NE(body, nullptr);
    const QDir dir(corpusRoot() + QLatin1Char('/') + QString::fromStdString(GetParam()));
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty()) << "no corpus in " << dir.path().toStdString();
    for (const QString& name : files) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray bytes = f.readAll();
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(body(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size())),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzReplay, ::testing::ValuesIn(harnessNames()),
                         [](const ::testing::TestParamInfo<std::string>& p) { return p.param; });

TEST(FuzzCorpus, EveryFolderBelongsToAHarness) {
    const std::vector<std::string> names = harnessNames();
    const QStringList folders = QDir(corpusRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    EXPECT_FALSE(folders.isEmpty());
    for (const QString& folder : folders)
        EXPECT_NE(std::find(names.begin(), names.end(), folder.toStdString()), names.end())
            << "fuzz/corpus/" << folder.toStdString() << " has no harness";
}

}  // namespace
}  // namespace lt
