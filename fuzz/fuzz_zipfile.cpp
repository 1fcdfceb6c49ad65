// Zip containers, as the timetable feed and workbook readers open them: any
// bytes either open with a reason for failing or list their entries, and
// every entry unpacks within its size bound or says why not. Entries that
// unpack, written into a new archive, read back to the same names and bytes.

#include "depot/zipfile.h"
#include "fuzz/harness.h"

#include <QSet>

namespace lt {
namespace {

constexpr qint64 MaxEntry = 1 << 20;  // per entry; the readers bound theirs likewise
constexpr int MaxEntries = 16;

int zipContainer(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    ZipReader zip;
    if (!zip.open(bytes)) {
        LT_FUZZ_CHECK(!zip.error().isEmpty() && zip.names().isEmpty());
        return 0;
    }
    const QStringList names = zip.names();
    QList<ZipEntry> entries;
    QSet<QString> seen;
    bool unique = true;
    for (int i = 0; i < names.size() && i < MaxEntries; ++i) {
        LT_FUZZ_CHECK(zip.indexOf(names[i], false) >= 0);
        const std::optional<QByteArray> entry = zip.read(i, MaxEntry);
        if (!entry) {
            LT_FUZZ_CHECK(!zip.error().isEmpty());
            continue;
        }
        LT_FUZZ_CHECK(entry->size() == zip.size(i) && entry->size() <= MaxEntry);
        unique = unique && !names[i].isEmpty() && !seen.contains(names[i]);
        seen.insert(names[i]);
        entries.append({names[i], *entry});
    }
    LT_FUZZ_CHECK(!zip.read(static_cast<int>(names.size()), MaxEntry).has_value());
    if (!unique || entries.isEmpty()) return 0;

    QString error;
    const QByteArray again = writeZip(entries, &error);
    if (again.isEmpty()) return 0;  // a name libzip will not write, say
    ZipReader back;
    LT_FUZZ_CHECK(back.open(again));
    LT_FUZZ_CHECK(back.names().size() == entries.size());
    for (const ZipEntry& e : entries) LT_FUZZ_CHECK(back.read(e.name, MaxEntry) == e.data);
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("zipfile", lt::zipContainer)
