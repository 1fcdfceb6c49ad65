// Destination lists: csv-export and csv-import.
#include "cli/command.h"
#include "depot/viewlist.h"
#include "model/projectfile.h"

namespace lt::cli {
namespace {

int runCsvExport(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--separator")},
              {QStringLiteral("--bom")});
    ViewListExportOptions options;
    options.lang = args.intValue(QStringLiteral("--lang"), 0, 1, LanguageCount);
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(io,
                    QStringLiteral("usage: linetint-cli csv-export PROJECT.vmprj [--lang L] -o LIST.csv"));
    const QString sep = args.value(QStringLiteral("--separator"), QStringLiteral(","));
    if (sep == QLatin1String(";") || sep == QLatin1String("semicolon"))
        options.separator = QLatin1Char(';');
    else if (sep != QLatin1String(",") && sep != QLatin1String("comma"))
        return fail(io, QStringLiteral("--separator takes \",\" or \";\""));
    options.bom = args.has(QStringLiteral("--bom"));

    ProjectRead read = readProjectFile(args.positional().first());
    if (read.status != ProjectRead::Ok)
        return fail(io, QStringLiteral("%1: %2").arg(args.positional().first(), read.error));
    const QByteArray bytes = exportViewList(*read.data, options);
    const QString error = writeFileAtomically(out, bytes.constData(), bytes.size());
    if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    io.out << "Destination list written to " << out << Qt::endl;
    return 0;
}

int runCsvImport(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o")}, {});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 2)
        return fail(io, QStringLiteral("usage: linetint-cli csv-import PROJECT.vmprj LIST.csv -o OUT.vmprj"));
    const QString projectPath = args.positional()[0];
    const QString listPath = args.positional()[1];

    ProjectRead read = readProjectFile(projectPath);
    if (read.status != ProjectRead::Ok)
        return fail(io, QStringLiteral("%1: %2").arg(projectPath, read.error));
    QByteArray list;
    QString error;
    if (!readWholeFile(listPath, list, error)) return fail(io, QStringLiteral("%1: %2").arg(listPath, error));

    sDane& d = *read.data;
    const ViewListImport result = importViewList(d, list);
    if (!result.ok()) {
        for (const ViewListProblem& p : result.problems) io.err << listPath << ": " << p.text() << '\n';
        return fail(io, QStringLiteral("%1 refused, nothing written").arg(listPath));
    }

    // Keep the measured text sizes of every view the list changed current,
    // and leave the others' bytes as they are.
    renderViews(d, result.changed);

    error = writeProjectFile(d, out);
    if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    io.out << result.rows << " rows read, " << result.changed.size() << " views changed; project written to "
           << out << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("csv-export"), QStringLiteral("write the destination list of a project as CSV"),
    QStringLiteral("Usage: linetint-cli csv-export PROJECT.vmprj [--lang L] [--separator SEP] [--bom] "
                   "-o LIST.csv\n\n"
                   "Writes one row per view: language, view, in use, time, destination, view type,\n"
                   "the three texts, the settings of the left, top and bottom regions and BarX,\n"
                   "BarY, after a header row naming the columns. UTF-8, CRLF line ends, fields\n"
                   "quoted where they need it.\n"
                   "  --lang L         only language L (1..3); default every language in use\n"
                   "  --separator SEP  \",\" (default) or \";\"\n"
                   "  --bom            start the file with a UTF-8 byte-order mark\n"),
    runCsvExport);
LT_CLI_COMMAND(
    QStringLiteral("csv-import"), QStringLiteral("apply a CSV destination list to a copy of a project"),
    QStringLiteral("Usage: linetint-cli csv-import PROJECT.vmprj LIST.csv -o OUT.vmprj\n\n"
                   "Applies the rows of LIST.csv to the project and writes the result to OUT.vmprj.\n"
                   "Views without a row, and columns the list does not have, keep their values.\n"
                   "The list is UTF-8 with or without a byte-order mark, separated by commas or\n"
                   "semicolons (told from the header row). Colours, styles and movements may be\n"
                   "written as the editor's list texts or as numbers.\n\n"
                   "A row with an unknown language or view, a value outside the editor's range or\n"
                   "a text longer than its field is refused with its line number; when any row is\n"
                   "refused nothing is written and the exit status is 1.\n"),
    runCsvImport);

}  // namespace lt::cli
