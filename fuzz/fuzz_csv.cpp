// Destination lists: any bytes either parse into records or give a line and
// a reason, and a parsed table written back parses again to the same fields.
// The bytes are then imported into the default project kept in memory, as
// `linetint-cli csv-import` does: the import applies every row or none, and
// changes only the views it reports changed.

#include "depot/csv.h"
#include "depot/viewlist.h"
#include "fuzz/fixtures.h"

namespace lt {
namespace {

QList<QStringList> fieldsOf(const csv::Table& table) {
    QList<QStringList> rows;
    for (const csv::Record& r : table.records) rows << r.fields;
    return rows;
}

/// A second default project, to put changed views back from.
const sDane& pristineProject() {
    static const std::unique_ptr<sDane> d = [] {
        auto p = std::make_unique<sDane>();
        fuzz::makeDefaultProject(*p);
        return p;
    }();
    return *d;
}

void importInto(sDane& d, const QByteArray& bytes) {
    fuzz::Patch patch(&d, fuzz::ProjectLayout);
    patch.keep(offsetof(sDane, Lang), sizeof d.Lang);  // names are only read, but kept all the same
    const ViewListImport result = importViewList(d, bytes);
    LT_FUZZ_CHECK(result.ok() || result.changed.isEmpty());
    LT_FUZZ_CHECK(result.ok() || !result.problems.first().reason.isEmpty());
    for (const auto& [l, v] : result.changed) {
        LT_FUZZ_CHECK(l >= 1 && l <= LanguageCount && v >= 1 && v <= ViewCount);
        widok(d, l, v) = widok(pristineProject(), l, v);
    }
}

int csvList(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    csv::Table table;
    csv::ParseError error;
    if (!csv::parse(bytes, table, error)) {
        LT_FUZZ_CHECK(error.line >= 1 && !error.reason.isEmpty() && table.records.isEmpty());
        return 0;
    }
    const QByteArray again = csv::write(fieldsOf(table), table.separator, table.bom);
    csv::Table back;
    LT_FUZZ_CHECK(csv::parse(again, back, error));
    importInto(fuzz::defaultProject(), bytes);
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("csv", lt::csvList)
