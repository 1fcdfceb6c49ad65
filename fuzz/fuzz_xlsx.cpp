// Destination list workbooks: any bytes read as a workbook either give rows
// within the reader's bounds or a reason. Bytes that are no zip file are
// taken as the sheet's XML inside a workbook made around them, its parts
// stored rather than compressed so that making it costs little, and the
// fuzzer reaches the XML reading rather than stopping at the zip checks.

#include "depot/xlsx.h"
#include "depot/zipfile.h"
#include "fuzz/harness.h"

namespace lt {
namespace {

int workbookList(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (!bytes.startsWith("PK")) {
        const QByteArray ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
        bytes = writeZip({
            {QStringLiteral("xl/workbook.xml"),
             "<workbook><sheets><sheet r:id=\"a\" xmlns:r=\"" + ns + "\"/></sheets></workbook>", true},
            {QStringLiteral("xl/_rels/workbook.xml.rels"),
             "<Relationships><Relationship Id=\"a\" Type=\"" + ns +
                 "worksheet\" Target=\"s.xml\"/><Relationship Id=\"b\" Type=\"" + ns +
                 "sharedStrings\" Target=\"t.xml\"/></Relationships>",
             true},
            {QStringLiteral("xl/t.xml"),
             "<sst><si><t>Language</t></si><si><r><t>Vi</t></r><r><t>ew</t></r></si></sst>", true},
            {QStringLiteral("xl/s.xml"), bytes, true},
        });
    }
    QList<xlsx::Row> rows;
    QString error;
    if (!xlsx::read(bytes, rows, error)) {
        LT_FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    LT_FUZZ_CHECK(rows.size() <= xlsx::MaxRows);
    for (const xlsx::Row& r : rows) LT_FUZZ_CHECK(r.cells.size() <= xlsx::MaxColumns && !r.cells.isEmpty());
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("xlsx", lt::workbookList)
