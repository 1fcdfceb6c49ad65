// fit: texts drawn so that they fit the sign, in a copy of a project.
#include "cli/command.h"
#include "depot/fit.h"
#include "model/projectfile.h"

#include <QRegularExpression>

namespace lt::cli {
namespace {

/// Reads "A-B" or a single "A" into a range of views within 1..300.
bool parseViewRange(const QString& text, int& first, int& last) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,3})\\s*(?:-\\s*(\\d{1,3})\\s*)?$"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch()) return false;
    first = m.captured(1).toInt();
    last = m.captured(2).isEmpty() ? first : m.captured(2).toInt();
    return first >= 1 && last <= ViewCount && first <= last;
}

int runFit(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--views")}, {});
    FitOptions options;
    options.lang = args.intValue(QStringLiteral("--lang"), 0, 1, LanguageCount);
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(io, QStringLiteral(
                            "usage: linetint-cli fit PROJECT.vmprj -o OUT.vmprj [--lang L] [--views A-B]"));
    if (args.has(QStringLiteral("--views")) &&
        !parseViewRange(args.value(QStringLiteral("--views")), options.firstView, options.lastView))
        return fail(io, QStringLiteral("--views takes a range of views A-B within 1..%1, not \"%2\"")
                            .arg(ViewCount)
                            .arg(args.value(QStringLiteral("--views"))));

    const QString path = args.positional().first();
    ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return fail(io, projectError(path, read.error));
    const QList<FitChange> changes = fitProject(*read.data, options);
    const QString error = writeProjectFile(*read.data, out);
    if (!error.isEmpty()) return fail(io, QStringLiteral("%1: %2").arg(out, error));
    for (const FitChange& c : changes) io.out << c.text() << '\n';
    io.out << changes.size() << (changes.size() == 1 ? " region changed" : " regions changed")
           << "; project written to " << out << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("fit"), QStringLiteral("draw every text so that it fits the sign, in a copy of a project"),
    QStringLiteral("Usage: linetint-cli fit PROJECT.vmprj -o OUT.vmprj [--lang L] [--views A-B]\n\n"
                   "Looks at every region the view type shows, of every view in use, and where\n"
                   "its text is cut by its window or picture chooses how it is drawn so that the\n"
                   "whole text shows: first a smaller size, down to 8 points; then a narrow face;\n"
                   "then the text moves sideways at 25 steps a second. X and Y, and BarX and BarY,\n"
                   "are moved where that makes room. The words are never changed; a view whose\n"
                   "regions all fit keeps every byte, and a region that fits keeps its settings.\n"
                   "Prints one line per region changed:\n"
                   "  LANGUAGE/VIEW REGION: what changed\n"
                   "where REGION \"view\" stands for the split positions BarX and BarY.\n\n"
                   "  --lang L     only language L (1..3); default every language in use\n"
                   "  --views A-B  only views A to B (a single view: A)\n\n"
                   "Afterwards `check` reports no too-wide, too-tall or cut-by-picture for the\n"
                   "fitted regions. Nothing is written when the project cannot be read.\n"),
    runFit);

}  // namespace lt::cli
