#include "depot/zipfile.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QList<lt::ZipEntry> sampleEntries() {
    QByteArray big(200000, 'x');
    for (int i = 0; i < big.size(); i += 7) big[i] = char('a' + i % 26);
    return {{QStringLiteral("routes.txt"), "route_id,route_short_name\r\n1,10\r\n"},
            {QStringLiteral("xl/worksheets/sheet1.xml"), big},
            {QStringLiteral("żółw/empty.txt"), QByteArray()}};
}

}  // namespace

TEST(ZipFile, WrittenEntriesReadBackByNameAndAreTheSameBytesEveryTime) {
    QString error;
    const QByteArray zip = lt::writeZip(sampleEntries(), &error);
    ASSERT_FALSE(zip.isEmpty()) << error.toStdString();
    EXPECT_TRUE(zip.startsWith("PK\x03\x04"));
    EXPECT_EQ(zip, lt::writeZip(sampleEntries()));
    EXPECT_LT(zip.size(), 100000) << "entries are compressed";

    lt::ZipReader reader;
    ASSERT_TRUE(reader.open(zip)) << reader.error().toStdString();
    EXPECT_EQ(reader.names(), (QStringList{"routes.txt", "xl/worksheets/sheet1.xml", "żółw/empty.txt"}));
    for (const lt::ZipEntry& e : sampleEntries()) {
        const auto data = reader.read(e.name, 1 << 20);
        ASSERT_TRUE(data.has_value()) << reader.error().toStdString();
        EXPECT_EQ(*data, e.data);
    }
    EXPECT_EQ(reader.indexOf("ROUTES.TXT"), -1);
    EXPECT_EQ(reader.indexOf("ROUTES.TXT", false), 0);
}

TEST(ZipFile, StoredEntriesAreKeptAsTheyAreAndReadBack) {
    QList<lt::ZipEntry> entries = sampleEntries();
    entries[1].stored = true;
    const QByteArray zip = lt::writeZip(entries);
    ASSERT_GT(zip.size(), 200000) << "the stored entry is not compressed";
    EXPECT_TRUE(zip.contains(entries[1].data));
    lt::ZipReader reader;
    ASSERT_TRUE(reader.open(zip)) << reader.error().toStdString();
    for (const lt::ZipEntry& e : entries) EXPECT_EQ(reader.read(e.name, 1 << 20), e.data);
}

TEST(ZipFile, RefusesWhatItCannotTrust) {
    lt::ZipReader reader;
    EXPECT_FALSE(reader.open(QByteArray("route_id,route_short_name\n1,10\n")));
    EXPECT_FALSE(reader.error().isEmpty());
    EXPECT_FALSE(reader.open(QStringLiteral("/nonexistent-folder/feed.zip")));

    const QByteArray zip = lt::writeZip(sampleEntries());
    ASSERT_TRUE(reader.open(zip));
    // An entry larger than the caller allows is not unpacked.
    EXPECT_FALSE(reader.read(QStringLiteral("xl/worksheets/sheet1.xml"), 1000).has_value());
    EXPECT_TRUE(reader.error().contains("too large"));
    EXPECT_FALSE(reader.read(QStringLiteral("stops.txt"), 1000).has_value());

    // A truncated archive, and one whose compressed data is damaged.
    EXPECT_FALSE(reader.open(zip.left(zip.size() / 2)));
    QByteArray damaged = zip;
    const qsizetype at = damaged.indexOf("xl/worksheets/sheet1.xml") + 40;
    for (int i = 0; i < 64; ++i) damaged[at + i] = char(damaged[at + i] ^ 0x5A);
    if (reader.open(damaged)) {
        EXPECT_FALSE(reader.read(QStringLiteral("xl/worksheets/sheet1.xml"), 1 << 20).has_value());
    }
}

TEST(ZipFile, OpensAnArchiveFromAFile) {
    QTemporaryDir dir;
    QFile f(dir.filePath("feed.zip"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(lt::writeZip(sampleEntries()));
    f.close();
    lt::ZipReader reader;
    ASSERT_TRUE(reader.open(f.fileName()));
    EXPECT_EQ(reader.read(0, 100).value_or(QByteArray()), sampleEntries()[0].data);
}
