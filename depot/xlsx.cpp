#include "depot/xlsx.h"

#include "depot/zipfile.h"

#include <QHash>
#include <QMap>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <cmath>
#include <functional>

namespace lt::xlsx {
namespace {

const QString MainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString RelNs = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString PackageRelNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");

// Cell formats of styles.xml, by their index in cellXfs.
constexpr int StyleGeneral = 0;
constexpr int StyleText = 1;
constexpr int StyleHeader = 2;

/// The letters of a column, 0 for A.
QString columnName(int column) {
    QString name;
    for (int c = column + 1; c > 0; c = (c - 1) / 26) name.prepend(QChar(u'A' + (c - 1) % 26));
    return name;
}

bool xmlAllowed(char32_t cp) {
    return cp == 0x9 || cp == 0xA || (cp >= 0x20 && cp <= 0xD7FF) || (cp >= 0xE000 && cp <= 0xFFFD) ||
           (cp >= 0x10000 && cp <= 0x10FFFF);
}

bool isHex4(const QString& s, qsizetype at) {
    if (at + 4 > s.size()) return false;
    for (qsizetype k = at; k < at + 4; ++k) {
        const char16_t u = s[k].unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F'))) return false;
    }
    return true;
}

/// Whether an escape _xHHHH_ starts at `i`.
bool escapeAt(const QString& s, qsizetype i) {
    return i + 7 <= s.size() && s[i] == QLatin1Char('_') && s[i + 1] == QLatin1Char('x') &&
           isHex4(s, i + 2) && s[i + 6] == QLatin1Char('_');
}

QString hex4(uint u) {
    return QStringLiteral("_x%1_").arg(QStringLiteral("%1").arg(u, 4, 16, QLatin1Char('0')).toUpper());
}

// --- The zip container ------------------------------------------------------------

/// The parts of a workbook in its zip file, each unpacked when asked for,
/// within a bound no honest list comes near.
class Package {
public:
    static constexpr qint64 MaxPartSize = 32 * 1024 * 1024;

    bool open(const QByteArray& bytes, QString& error) {
        if (m_zip.open(bytes)) return true;
        error = QStringLiteral("not a workbook (.xlsx): %1").arg(m_zip.error());
        return false;
    }
    bool has(const QString& name) const { return m_zip.indexOf(name, false) >= 0; }
    bool get(const QString& name, QByteArray& bytes, QString& error) {
        std::optional<QByteArray> data = m_zip.read(m_zip.indexOf(name, false), MaxPartSize);
        if (!data) {
            error = QStringLiteral("the workbook cannot be read: %1").arg(m_zip.error());
            return false;
        }
        bytes = std::move(*data);
        return true;
    }

private:
    ZipReader m_zip;
};

// --- Writing ---------------------------------------------------------------------

QByteArray xmlDocument(const std::function<void(QXmlStreamWriter&)>& body) {
    QByteArray out;
    QXmlStreamWriter x(&out);
    x.writeStartDocument(QStringLiteral("1.0"), true);
    body(x);
    x.writeEndDocument();
    return out;
}

QByteArray contentTypes() {
    return xmlDocument([](QXmlStreamWriter& x) {
        x.writeDefaultNamespace(
            QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types"));
        x.writeStartElement(QStringLiteral("Types"));
        auto def = [&](const char* ext, const char* type) {
            x.writeEmptyElement(QStringLiteral("Default"));
            x.writeAttribute(QStringLiteral("Extension"), QLatin1String(ext));
            x.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
        };
        def("rels", "application/vnd.openxmlformats-package.relationships+xml");
        def("xml", "application/xml");
        auto part = [&](const char* name, const char* type) {
            x.writeEmptyElement(QStringLiteral("Override"));
            x.writeAttribute(QStringLiteral("PartName"), QLatin1String(name));
            x.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
        };
        part("/xl/workbook.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
        part("/xl/worksheets/sheet1.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
        part("/xl/styles.xml", "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
        part("/xl/sharedStrings.xml",
             "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
        x.writeEndElement();
    });
}

QByteArray relationships(const QList<QPair<QString, QString>>& typeAndTarget) {
    return xmlDocument([&](QXmlStreamWriter& x) {
        x.writeDefaultNamespace(PackageRelNs);
        x.writeStartElement(QStringLiteral("Relationships"));
        for (qsizetype i = 0; i < typeAndTarget.size(); ++i) {
            x.writeEmptyElement(QStringLiteral("Relationship"));
            x.writeAttribute(QStringLiteral("Id"), QStringLiteral("rId%1").arg(i + 1));
            x.writeAttribute(QStringLiteral("Type"), typeAndTarget[i].first);
            x.writeAttribute(QStringLiteral("Target"), typeAndTarget[i].second);
        }
        x.writeEndElement();
    });
}

QByteArray workbook(const QString& sheetName) {
    return xmlDocument([&](QXmlStreamWriter& x) {
        x.writeDefaultNamespace(MainNs);
        x.writeNamespace(RelNs, QStringLiteral("r"));
        x.writeStartElement(QStringLiteral("workbook"));
        x.writeStartElement(QStringLiteral("sheets"));
        x.writeEmptyElement(QStringLiteral("sheet"));
        x.writeAttribute(QStringLiteral("name"), sheetName);
        x.writeAttribute(QStringLiteral("sheetId"), QStringLiteral("1"));
        x.writeAttribute(RelNs, QStringLiteral("id"), QStringLiteral("rId1"));
        x.writeEndElement();
        x.writeEndElement();
    });
}

/// The cell formats: general, text (number format 49, "@"), and text in
/// bold for the header, in the order of StyleGeneral, StyleText, StyleHeader.
QByteArray styles() {
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
           R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
           R"(<fonts count="2"><font><sz val="10"/><name val="Arial"/></font>)"
           R"(<font><b/><sz val="10"/><name val="Arial"/></font></fonts>)"
           R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
           R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
           R"(<borders count="1"><border/></borders>)"
           R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
           R"(<cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
           R"(<xf numFmtId="49" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
           R"(<xf numFmtId="49" fontId="1" fillId="0" borderId="0" xfId="0" applyNumberFormat="1" applyFont="1"/>)"
           R"(</cellXfs><cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
           R"(</styleSheet>)";
}

QByteArray sharedStrings(const QStringList& strings, int uses) {
    return xmlDocument([&](QXmlStreamWriter& x) {
        x.writeDefaultNamespace(MainNs);
        x.writeStartElement(QStringLiteral("sst"));
        x.writeAttribute(QStringLiteral("count"), QString::number(uses));
        x.writeAttribute(QStringLiteral("uniqueCount"), QString::number(strings.size()));
        for (const QString& s : strings) {
            x.writeStartElement(QStringLiteral("si"));
            x.writeStartElement(QStringLiteral("t"));
            const QString escaped = escapeText(s);
            if (escaped != escaped.trimmed() || escaped.contains(QLatin1Char('\n')))
                x.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            x.writeCharacters(escaped);
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement();
    });
}

QByteArray worksheet(const Sheet& sheet, QStringList& strings, int& uses) {
    QHash<QString, int> index;
    return xmlDocument([&](QXmlStreamWriter& x) {
        x.writeDefaultNamespace(MainNs);
        x.writeStartElement(QStringLiteral("worksheet"));
        x.writeStartElement(QStringLiteral("sheetViews"));
        x.writeStartElement(QStringLiteral("sheetView"));
        x.writeAttribute(QStringLiteral("tabSelected"), QStringLiteral("1"));
        x.writeAttribute(QStringLiteral("workbookViewId"), QStringLiteral("0"));
        if (sheet.frozenRows > 0) {
            const QString topLeft = QStringLiteral("A%1").arg(sheet.frozenRows + 1);
            x.writeEmptyElement(QStringLiteral("pane"));
            x.writeAttribute(QStringLiteral("ySplit"), QString::number(sheet.frozenRows));
            x.writeAttribute(QStringLiteral("topLeftCell"), topLeft);
            x.writeAttribute(QStringLiteral("activePane"), QStringLiteral("bottomLeft"));
            x.writeAttribute(QStringLiteral("state"), QStringLiteral("frozen"));
            x.writeEmptyElement(QStringLiteral("selection"));
            x.writeAttribute(QStringLiteral("pane"), QStringLiteral("bottomLeft"));
            x.writeAttribute(QStringLiteral("activeCell"), topLeft);
            x.writeAttribute(QStringLiteral("sqref"), topLeft);
        }
        x.writeEndElement();
        x.writeEndElement();
        if (!sheet.widths.isEmpty()) {
            x.writeStartElement(QStringLiteral("cols"));
            for (qsizetype c = 0; c < sheet.widths.size(); ++c) {
                x.writeEmptyElement(QStringLiteral("col"));
                x.writeAttribute(QStringLiteral("min"), QString::number(c + 1));
                x.writeAttribute(QStringLiteral("max"), QString::number(c + 1));
                x.writeAttribute(QStringLiteral("width"), QString::number(sheet.widths[c], 'f', 2));
                x.writeAttribute(QStringLiteral("customWidth"), QStringLiteral("1"));
                if (sheet.textColumns.value(c))
                    x.writeAttribute(QStringLiteral("style"), QString::number(StyleText));
            }
            x.writeEndElement();
        }
        x.writeStartElement(QStringLiteral("sheetData"));
        for (qsizetype r = 0; r < sheet.rows.size(); ++r) {
            x.writeStartElement(QStringLiteral("row"));
            x.writeAttribute(QStringLiteral("r"), QString::number(r + 1));
            for (qsizetype c = 0; c < sheet.rows[r].size(); ++c) {
                const Cell& cell = sheet.rows[r][c];
                if (cell.text.isEmpty()) continue;  // a cell left out reads as empty
                x.writeStartElement(QStringLiteral("c"));
                x.writeAttribute(QStringLiteral("r"), columnName(int(c)) + QString::number(r + 1));
                const int style = r < sheet.frozenRows ? StyleHeader : cell.number ? StyleGeneral : StyleText;
                if (style != StyleGeneral) x.writeAttribute(QStringLiteral("s"), QString::number(style));
                QString value = cell.text;
                if (!cell.number) {
                    x.writeAttribute(QStringLiteral("t"), QStringLiteral("s"));
                    auto it = index.find(cell.text);
                    if (it == index.end()) {
                        it = index.insert(cell.text, int(strings.size()));
                        strings << cell.text;
                    }
                    value = QString::number(it.value());
                    ++uses;
                }
                x.writeTextElement(QStringLiteral("v"), value);
                x.writeEndElement();
            }
            x.writeEndElement();
        }
        x.writeEndElement();
        x.writeEndElement();
    });
}

// --- Reading ---------------------------------------------------------------------

QString xmlProblem(const QString& part, const QXmlStreamReader& x) {
    return QStringLiteral("the workbook is damaged: %1 is not well-formed XML (line %2: %3)")
        .arg(part)
        .arg(x.lineNumber())
        .arg(x.errorString());
}

/// The directory of a part, with its slash ("xl/" for "xl/workbook.xml").
QString folderOf(const QString& part) {
    const qsizetype slash = part.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : part.left(slash + 1);
}

/// A relationship's target as a part name: absolute targets start at the
/// package's root, others at the folder of the part they belong to.
QString resolve(const QString& folder, const QString& target) {
    QStringList parts = target.startsWith(QLatin1Char('/'))
                            ? QStringList()
                            : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& p : target.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (p == QLatin1String(".")) continue;
        if (p == QLatin1String("..")) {
            if (!parts.isEmpty()) parts.removeLast();
            continue;
        }
        parts << p;
    }
    return parts.join(QLatin1Char('/'));
}

struct Relationship {
    QString type;
    QString target;  // resolved
};

/// The relationships of a part, by id; a missing relationships part has none.
bool readRelationships(Package& parts, const QString& of, QHash<QString, Relationship>& rels,
                       QString& error) {
    const QString name =
        folderOf(of) + QStringLiteral("_rels/") + of.mid(folderOf(of).size()) + QStringLiteral(".rels");
    if (!parts.has(name)) return true;
    QByteArray xml;
    if (!parts.get(name, xml, error)) return false;
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() == QXmlStreamReader::StartElement && x.name() == QLatin1String("Relationship")) {
            const QXmlStreamAttributes a = x.attributes();
            if (a.value(QLatin1String("TargetMode")) == QLatin1String("External")) continue;
            rels.insert(a.value(QLatin1String("Id")).toString(),
                        {a.value(QLatin1String("Type")).toString(),
                         resolve(folderOf(of), a.value(QLatin1String("Target")).toString())});
        }
    }
    if (x.hasError()) {
        error = xmlProblem(name, x);
        return false;
    }
    return true;
}

/// The text of the element the reader stands on, its <t> children (runs of
/// rich text included, phonetic hints left out) joined.
QString stringItem(QXmlStreamReader& x) {
    QString text;
    int depth = 1;
    int skip = 0;  // inside <rPh>
    while (depth > 0 && !x.atEnd()) {
        const auto token = x.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            if (x.name() == QLatin1String("rPh")) ++skip;
            if (x.name() == QLatin1String("t") && skip == 0) {
                text += x.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (x.name() == QLatin1String("rPh")) --skip;
            --depth;
        }
    }
    return unescapeText(text);
}

bool readSharedStrings(const QByteArray& xml, QStringList& strings, QString& error) {
    QXmlStreamReader x(xml);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement || x.name() != QLatin1String("si")) continue;
        if (strings.size() >= MaxStrings) {
            error = QStringLiteral(
                        "the workbook holds more than %1 different texts; a destination list has far fewer")
                        .arg(MaxStrings);
            return false;
        }
        strings << stringItem(x);
    }
    if (x.hasError()) {
        error = xmlProblem(QStringLiteral("the shared strings"), x);
        return false;
    }
    return true;
}

/// Column (0 for A) and row (1 for the first) of a reference such as "AB12";
/// false when it is not one.
bool parseReference(QStringView ref, int& column, int& row) {
    qsizetype i = 0;
    long long c = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 0x80) {
        c = c * 26 + (ref[i].toUpper().unicode() - u'A' + 1);
        if (c > 16384) return false;
        ++i;
    }
    if (i == 0 || i == ref.size()) return false;
    bool ok = false;
    const int r = ref.mid(i).toInt(&ok);
    if (!ok || r < 1 || r > 1048576) return false;
    column = int(c - 1);
    row = r;
    return true;
}

QString numberText(const QString& v, bool& ok) {
    const double d = v.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(d)) {
        ok = false;
        return QString();
    }
    if (d == std::floor(d) && std::fabs(d) < 9007199254740992.0)
        return QString::number(static_cast<qint64>(d));
    return QString::number(d, 'g', 15);
}

bool readWorksheet(const QByteArray& xml, const QStringList& strings, QList<Row>& rows, QString& error) {
    QMap<int, QMap<int, QString>> cells;  // row -> column -> text
    int cellCount = 0;
    QXmlStreamReader x(xml);
    int row = 0;
    int column = -1;
    auto fail = [&](const QString& reason) {
        error = reason;
        return false;
    };
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        if (x.name() == QLatin1String("row")) {
            const auto r = x.attributes().value(QLatin1String("r"));
            bool ok = true;
            const int n = r.isEmpty() ? row + 1 : r.toInt(&ok);
            if (!ok || n < 1 || n > 1048576)
                return fail(QStringLiteral("the workbook is damaged: a row is numbered \"%1\"").arg(r));
            row = n;
            column = -1;
            continue;
        }
        if (x.name() != QLatin1String("c")) continue;
        if (row == 0) return fail(QStringLiteral("the workbook is damaged: a cell lies outside any row"));
        const QXmlStreamAttributes a = x.attributes();
        const QString ref = a.value(QLatin1String("r")).toString();
        int cellRow = row;
        if (ref.isEmpty()) {
            ++column;
        } else if (!parseReference(ref, column, cellRow) || cellRow != row) {
            return fail(QStringLiteral("the workbook is damaged: cell \"%1\" in row %2").arg(ref).arg(row));
        }
        const QString at = columnName(column) + QString::number(row);
        const QString type = a.value(QLatin1String("t")).toString();
        QString value;
        QString formula;
        bool inlineText = false;
        QString inlineValue;
        while (!x.atEnd()) {
            const auto token = x.readNext();
            if (token == QXmlStreamReader::EndElement && x.name() == QLatin1String("c")) break;
            if (token != QXmlStreamReader::StartElement) continue;
            if (x.name() == QLatin1String("v")) {
                value = x.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (x.name() == QLatin1String("f")) {
                formula = x.readElementText(QXmlStreamReader::IncludeChildElements);
                if (formula.isEmpty()) formula = QStringLiteral("(shared)");
            } else if (x.name() == QLatin1String("is")) {
                inlineText = true;
                inlineValue = stringItem(x);
            }
        }
        if (x.hasError()) break;
        QString text;
        if (value.trimmed().isEmpty() && !inlineText) {
            // An empty cell, whatever its type says.
        } else if (type == QLatin1String("s")) {
            bool ok = false;
            const int i = value.trimmed().toInt(&ok);
            if (!ok || i < 0 || i >= strings.size())
                return fail(
                    QStringLiteral("the workbook is damaged: cell %1 names text %2, which it does not hold")
                        .arg(at, value));
            text = strings[i];
        } else if (type == QLatin1String("inlineStr")) {
            text = inlineText ? inlineValue : unescapeText(value);
        } else if (type == QLatin1String("str") || type == QLatin1String("d")) {
            text = unescapeText(value);
        } else if (type == QLatin1String("b")) {
            text = value.trimmed() == QLatin1String("1") ? QStringLiteral("true") : QStringLiteral("false");
        } else if (type == QLatin1String("e")) {
            return fail(QStringLiteral("cell %1 holds the error %2").arg(at, value));
        } else if (type.isEmpty() || type == QLatin1String("n")) {
            if (!value.trimmed().isEmpty()) {
                bool ok = false;
                text = numberText(value, ok);
                if (!ok)
                    return fail(QStringLiteral("the workbook is damaged: cell %1 holds \"%2\" as a number")
                                    .arg(at, value));
            }
        } else {
            return fail(QStringLiteral("cell %1 has the unknown type \"%2\"").arg(at, type));
        }
        if (!formula.isEmpty() && value.isEmpty())
            return fail(QStringLiteral("cell %1 holds a formula without its result; open the list in a "
                                       "spreadsheet and save it again")
                            .arg(at));
        if (text.isEmpty()) continue;
        if (column >= MaxColumns)
            return fail(
                QStringLiteral("cell %1 lies beyond column %2; a destination list has %3 columns at most")
                    .arg(at, columnName(MaxColumns - 1))
                    .arg(MaxColumns));
        auto& line = cells[row];
        if (line.isEmpty() && cells.size() > MaxRows)
            return fail(QStringLiteral(
                            "the sheet has more than %1 rows with values; a destination list has at most 901")
                            .arg(MaxRows));
        if (++cellCount > MaxCells)
            return fail(
                QStringLiteral("the sheet has more than %1 cells with values; a destination list has far "
                               "fewer")
                    .arg(MaxCells));
        if (line.contains(column))
            return fail(QStringLiteral("the workbook is damaged: cell %1 appears twice").arg(at));
        line.insert(column, text);
    }
    if (x.hasError()) return fail(xmlProblem(QStringLiteral("the sheet"), x));
    for (auto it = cells.cbegin(); it != cells.cend(); ++it) {
        Row r;
        r.number = it.key();
        const int width = it.value().lastKey() + 1;
        for (int c = 0; c < width; ++c) r.cells << it.value().value(c);
        rows << r;
    }
    return true;
}

}  // namespace

QString escapeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += c;
            out += text[++i];
            continue;
        }
        if (escapeAt(text, i)) {
            out += QLatin1String("_x005F_");
            continue;
        }
        if (c == QLatin1Char('\r') || c.isSurrogate() || !xmlAllowed(c.unicode()))
            out += hex4(c.unicode());
        else
            out += c;
    }
    return out;
}

QString unescapeText(const QString& text) {
    if (!text.contains(QLatin1String("_x"))) return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (escapeAt(text, i)) {
            out += QChar(char16_t(text.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

QByteArray write(const Sheet& sheet, QString& error) {
    QStringList strings;
    int uses = 0;
    const QByteArray sheetXml = worksheet(sheet, strings, uses);
    const QString ns = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
    const QList<ZipEntry> parts = {
        {QStringLiteral("[Content_Types].xml"), contentTypes()},
        {QStringLiteral("_rels/.rels"),
         relationships({{ns + QStringLiteral("officeDocument"), QStringLiteral("xl/workbook.xml")}})},
        {QStringLiteral("xl/workbook.xml"), workbook(sheet.name)},
        {QStringLiteral("xl/_rels/workbook.xml.rels"),
         relationships({{ns + QStringLiteral("worksheet"), QStringLiteral("worksheets/sheet1.xml")},
                        {ns + QStringLiteral("styles"), QStringLiteral("styles.xml")},
                        {ns + QStringLiteral("sharedStrings"), QStringLiteral("sharedStrings.xml")}})},
        {QStringLiteral("xl/styles.xml"), styles()},
        {QStringLiteral("xl/sharedStrings.xml"), sharedStrings(strings, uses)},
        {QStringLiteral("xl/worksheets/sheet1.xml"), sheetXml},
    };
    return writeZip(parts, &error);
}

bool read(const QByteArray& bytes, QList<Row>& rows, QString& error) {
    rows.clear();
    if (bytes.isEmpty()) {
        error = QStringLiteral("not a workbook (.xlsx): the file is empty");
        return false;
    }
    Package parts;
    if (!parts.open(bytes, error)) return false;
    if (parts.has(QStringLiteral("content.xml")) && parts.has(QStringLiteral("mimetype"))) {
        error = QStringLiteral(
            "this is an OpenDocument spreadsheet (.ods), not .xlsx; save it as .xlsx (or CSV)");
        return false;
    }
    // The workbook: where the package's relationships say, else where it usually is.
    QHash<QString, Relationship> rootRels;
    if (!readRelationships(parts, QString(), rootRels, error)) return false;
    QString book = QStringLiteral("xl/workbook.xml");
    for (const Relationship& r : std::as_const(rootRels)) {
        if (r.type.endsWith(QLatin1String("/officeDocument"))) book = r.target;
    }
    QByteArray bookXml;
    if (!parts.has(book)) {
        error =
            QStringLiteral("this zip file is not a spreadsheet workbook (.xlsx): it has no workbook part");
        return false;
    }
    QHash<QString, Relationship> rels;
    if (!parts.get(book, bookXml, error) || !readRelationships(parts, book, rels, error)) return false;

    // The first sheet of the workbook.
    QString sheetId;
    {
        QXmlStreamReader x(bookXml);
        while (!x.atEnd() && sheetId.isEmpty()) {
            if (x.readNext() != QXmlStreamReader::StartElement || x.name() != QLatin1String("sheet"))
                continue;
            for (const QXmlStreamAttribute& a : x.attributes()) {
                if (a.name() == QLatin1String("id")) sheetId = a.value().toString();
            }
        }
        if (x.hasError()) {
            error = xmlProblem(QStringLiteral("the workbook part"), x);
            return false;
        }
    }
    const QString sheetPart = rels.value(sheetId).target;
    if (sheetId.isEmpty() || !parts.has(sheetPart)) {
        error = QStringLiteral("the workbook is damaged: its first sheet is missing");
        return false;
    }
    QStringList strings;
    for (const Relationship& r : std::as_const(rels)) {
        if (!r.type.endsWith(QLatin1String("/sharedStrings")) || !parts.has(r.target)) continue;
        QByteArray xml;
        if (!parts.get(r.target, xml, error) || !readSharedStrings(xml, strings, error)) return false;
    }
    QByteArray sheetXml;
    if (!parts.get(sheetPart, sheetXml, error)) return false;
    return readWorksheet(sheetXml, strings, rows, error);
}

}  // namespace lt::xlsx
