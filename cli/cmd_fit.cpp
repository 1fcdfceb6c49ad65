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
    Args args(argv,
              {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--views"),
               QStringLiteral("--pitch")},
              {QStringLiteral("--split")});
    FitOptions options;
    options.lang = args.intValue(QStringLiteral("--lang"), 0, 1, LanguageCount);
    options.pitchMm = args.intValue(QStringLiteral("--pitch"), 0, 1, 100);
    options.split = args.has(QStringLiteral("--split"));
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(
            io, QStringLiteral(
                    "usage: linetint-cli fit PROJECT.vmprj -o OUT.vmprj [--lang L] [--views A-B] [--split] "
                    "[--pitch MM]"));
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

LT_CLI_COMMAND(QStringLiteral("fit"),
               QStringLiteral("draw every text so that it fits the sign, in a copy of a project"),
               QStringLiteral("Usage: linetint-cli fit PROJECT.vmprj -o OUT.vmprj [--lang L] [--views A-B]\n"
                              "                           [--split] [--pitch MM]\n\n"
                              "Looks at every region the view type shows, of every view in use, and where\n"
                              "its text is cut by its window or picture, or does not read as `check` judges\n"
                              "it, chooses how it is drawn: first a smaller size, down to the floor of its\n"
                              "line (capitals of 14 LEDs for the route number, 9 for the top line, 7 for\n"
                              "any other); then a narrow face, where its letters stay apart; with --split,\n"
                              "a long top line goes over both lines of the sign at one size, broken at a\n"
                              "word, when the view leaves the bottom line free; last the text moves\n"
                              "sideways at 25 steps a second and the view's display time is raised, up to\n"
                              "99 s, so that the whole text shows at least once. The route number keeps an\n"
                              "unlit column before the lines beside it and is drawn one way (the largest\n"
                              "that fits) in all views of its route; the top and bottom lines keep an unlit\n"
                              "row between them; with --split, two lines that cannot both read that way\n"
                              "become one moving top line holding the words of both, in order. X and Y,\n"
                              "and BarX and BarY, are moved where that makes room. The words are never\n"
                              "changed; a view that fits and reads keeps every byte. Prints one line per\n"
                              "region changed:\n"
                              "  LANGUAGE/VIEW REGION: what changed\n"
                              "where REGION \"view\" stands for the view type, the split positions BarX and\n"
                              "BarY, and the display time (\"1/7 view: time 5 -> 9\").\n\n"
                              "  --lang L     only language L (1..3); default every language in use\n"
                              "  --views A-B  only views A to B (a single view: A)\n"
                              "  --split      a long top line may take the bottom line when it is free,\n"
                              "               and two lines may become one moving line\n"
                              "  --pitch MM   the sign's LED pitch: the floors rise to 200 mm for the route\n"
                              "               and 125 mm for the top line where that is higher\n\n"
                              "Afterwards `check` reports no too-wide, too-tall or cut-by-picture for the\n"
                              "fitted regions. Nothing is written when the project cannot be read.\n"),
               runFit);

}  // namespace lt::cli
