// Destinations CSV: any bytes either parse into records or give a line and
// a reason; a parsed table written back parses again to the same fields.

#include "depot/csv.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    lt::csv::Table table;
    lt::csv::ParseError error;
    if (!lt::csv::parse(bytes, table, error)) return 0;
    QList<QStringList> rows;
    for (const auto& r : table.records) rows << r.fields;
    const QByteArray again = lt::csv::write(rows, table.separator, table.bom);
    lt::csv::Table back;
    if (!lt::csv::parse(again, back, error)) std::abort();
    return 0;
}
