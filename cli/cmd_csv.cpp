// Destination lists: list-export and list-import (CSV or .xlsx, told by the
// file's extension), and csv-export and csv-import, the CSV-only forms.
#include "cli/command.h"
#include "depot/viewlist.h"
#include "model/projectfile.h"

#include <QFileInfo>

namespace lt::cli {
namespace {

enum class ListFormat { Csv, Xlsx, Unknown };

ListFormat formatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("csv")) return ListFormat::Csv;
    if (suffix == QLatin1String("xlsx")) return ListFormat::Xlsx;
    return ListFormat::Unknown;
}

QString plural(qsizetype n, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

int runExport(const QStringList& argv, Io& io, bool csvOnly) {
    const QString name = csvOnly ? QStringLiteral("csv-export") : QStringLiteral("list-export");
    Args args(argv, {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--separator")},
              {QStringLiteral("--bom")});
    ViewListExportOptions options;
    options.lang = args.intValue(QStringLiteral("--lang"), 0, 1, LanguageCount);
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(io, QStringLiteral("usage: linetint-cli %1 PROJECT.vmprj [--lang L] -o LIST.%2")
                            .arg(name, csvOnly ? QStringLiteral("csv") : QStringLiteral("{csv,xlsx}")));
    const ListFormat format = csvOnly ? ListFormat::Csv : formatOf(out);
    if (format == ListFormat::Unknown)
        return fail(io, QStringLiteral("%1: a destination list is a .csv or an .xlsx file").arg(out));
    const QString sep = args.value(QStringLiteral("--separator"), QStringLiteral(","));
    if (sep == QLatin1String(";") || sep == QLatin1String("semicolon"))
        options.separator = QLatin1Char(';');
    else if (sep != QLatin1String(",") && sep != QLatin1String("comma"))
        return fail(io, QStringLiteral("--separator takes \",\" or \";\""));
    options.bom = args.has(QStringLiteral("--bom"));
    if (format == ListFormat::Xlsx && (args.has(QStringLiteral("--separator")) || options.bom))
        return fail(io, QStringLiteral("--separator and --bom are for .csv lists"));

    ProjectRead read = readProjectFile(args.positional().first());
    if (read.status != ProjectRead::Ok) return fail(io, projectError(args.positional().first(), read.error));
    QString error;
    const QByteArray bytes = format == ListFormat::Xlsx ? exportViewListXlsx(*read.data, options.lang, error)
                                                        : exportViewList(*read.data, options);
    if (bytes.isEmpty() && !error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    error = writeFileAtomically(out, bytes.constData(), bytes.size());
    if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    io.out << "Destination list written to " << out << Qt::endl;
    return 0;
}

int runImport(const QStringList& argv, Io& io, bool csvOnly) {
    const QString name = csvOnly ? QStringLiteral("csv-import") : QStringLiteral("list-import");
    const QString dryRun = QStringLiteral("--dry-run");
    Args args(argv, {QStringLiteral("-o")},
              {dryRun, QStringLiteral("--quiet"), QStringLiteral("--switch-on")});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    const bool dry = args.has(dryRun);
    if ((out.isEmpty() && !dry) || args.positional().size() != 2)
        return fail(io,
                    QStringLiteral("usage: linetint-cli %1 PROJECT.vmprj LIST.%2 (-o OUT.vmprj | --dry-run)")
                        .arg(name, csvOnly ? QStringLiteral("csv") : QStringLiteral("{csv,xlsx}")));
    const QString projectPath = args.positional()[0];
    const QString listPath = args.positional()[1];
    const ListFormat format = csvOnly ? ListFormat::Csv : formatOf(listPath);
    if (format == ListFormat::Unknown)
        return fail(io, QStringLiteral("%1: a destination list is a .csv or an .xlsx file").arg(listPath));

    ProjectRead read = readProjectFile(projectPath);
    if (read.status != ProjectRead::Ok) return fail(io, projectError(projectPath, read.error));
    QByteArray list;
    QString error;
    if (!readWholeFile(listPath, list, error)) return fail(io, QStringLiteral("%1: %2").arg(listPath, error));

    sDane& d = *read.data;
    ViewListImportOptions options;
    options.switchOn = args.has(QStringLiteral("--switch-on"));
    const ViewListImport result =
        format == ListFormat::Xlsx ? importViewListXlsx(d, list, options) : importViewList(d, list, options);
    if (!result.ok()) {
        for (const ViewListProblem& p : result.problems) io.err << listPath << ": " << p.text() << '\n';
        return fail(io, QStringLiteral("%1 refused, nothing written").arg(listPath));
    }
    for (const QString& w : result.warnings) io.err << listPath << ": warning: " << w << '\n';
    io.err.flush();

    const QString summary =
        QStringLiteral("%1 read, %2")
            .arg(plural(result.rows, "row", "rows"), plural(result.changed.size(), "view", "views"));
    auto listChanges = [&] {
        for (const ViewListChange& c : result.changes) io.out << c.text() << '\n';
        io.out.flush();
    };
    if (dry) {
        io.out << "Dry run: " << summary << " would change; nothing written" << Qt::endl;
        listChanges();
        return 0;
    }

    // Keep the measured text sizes of every view the list changed current,
    // and leave the others' bytes as they are.
    measureViews(d, result.changed);

    error = writeProjectFile(d, out);
    if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    io.out << summary << " changed; project written to " << out << Qt::endl;
    if (!args.has(QStringLiteral("--quiet"))) listChanges();
    return 0;
}

const char* const ImportRules =
    "Views without a row, and columns the list does not have, keep their values.\n"
    "Colours, styles and movements may be written as the editor's list texts or as\n"
    "numbers.\n\n"
    "A row with an unknown language or view, a value outside the editor's range, a\n"
    "text longer than its field, a text holding a line break or another control\n"
    "character, or a text garbled by the wrong character set is refused with its\n"
    "line number, and so is an unknown column (with the names a list may have).\n"
    "A row that changes a language which is switched off is refused unless\n"
    "--switch-on is given; rows for it that change nothing are named in a warning.\n"
    "When anything is refused nothing is written and the exit status is 1.\n\n"
    "  -o OUT.vmprj   where the changed project goes\n"
    "  --dry-run      list what would change, one field a line, and write nothing\n"
    "  --quiet        leave out the list of changes after the summary\n"
    "  --switch-on    switch on a language that is off when the list changes its views\n";

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("csv-export"), QStringLiteral("write the destination list of a project as CSV"),
    QStringLiteral("Usage: linetint-cli csv-export PROJECT.vmprj [--lang L] [--separator SEP] [--bom] "
                   "-o LIST.csv\n\n"
                   "Writes one row per view: language, view, in use, time, destination, view type,\n"
                   "the three texts, the settings of the left, top and bottom regions and BarX,\n"
                   "BarY, after a header row naming the columns. UTF-8, CRLF line ends, every text\n"
                   "field quoted; a text starting with = + - @ or ' gets an apostrophe in front, so\n"
                   "a spreadsheet does not run it as a formula (csv-import takes it away again).\n"
                   "  --lang L         only language L (1..3); default every language in use\n"
                   "  --separator SEP  \",\" (default) or \";\"\n"
                   "  --bom            start the file with a UTF-8 byte-order mark\n"),
    [](const QStringList& a, Io& io) { return runExport(a, io, true); });
LT_CLI_COMMAND(
    QStringLiteral("csv-import"), QStringLiteral("apply a CSV destination list to a copy of a project"),
    QStringLiteral("Usage: linetint-cli csv-import PROJECT.vmprj LIST.csv (-o OUT.vmprj | --dry-run) "
                   "[--quiet] [--switch-on]\n\n"
                   "Applies the rows of LIST.csv to the project and writes the result to OUT.vmprj,\n"
                   "then lists every field it changed. The list is UTF-8 with or without a\n"
                   "byte-order mark, separated by commas or semicolons (told from the header row).\n") +
        QLatin1String(ImportRules),
    [](const QStringList& a, Io& io) { return runImport(a, io, true); });
LT_CLI_COMMAND(
    QStringLiteral("list-export"), QStringLiteral("write the destination list of a project as .xlsx or CSV"),
    QStringLiteral("Usage: linetint-cli list-export PROJECT.vmprj [--lang L] -o LIST.xlsx|LIST.csv\n\n"
                   "Writes the destination list in the format the extension names. A .xlsx workbook\n"
                   "has one sheet with the columns of csv-export: texts stored as text in columns\n"
                   "formatted as text (\"007\" stays \"007\", \"=A1\" is no formula), numbers as numbers,\n"
                   "the header row frozen. A .csv list is written as csv-export writes it\n"
                   "(--separator and --bom as there).\n"
                   "  --lang L         only language L (1..3); default every language in use\n"),
    [](const QStringList& a, Io& io) { return runExport(a, io, false); });
LT_CLI_COMMAND(
    QStringLiteral("list-import"),
    QStringLiteral("apply a .xlsx or CSV destination list to a copy of a project"),
    QStringLiteral("Usage: linetint-cli list-import PROJECT.vmprj LIST.xlsx|LIST.csv (-o OUT.vmprj | "
                   "--dry-run) [--quiet] [--switch-on]\n\n"
                   "Applies the first sheet of a .xlsx workbook, or a CSV list as csv-import reads\n"
                   "it, to the project and writes the result to OUT.vmprj, then lists every field\n"
                   "it changed. A workbook's refusals name its row.\n") +
        QLatin1String(ImportRules),
    [](const QStringList& a, Io& io) { return runImport(a, io, false); });

}  // namespace lt::cli
