// check: what would look wrong on the sign, before the stick goes to the bus.
#include "cli/command.h"
#include "model/projectfile.h"
#include "depot/checks.h"
#include "depot/legibility.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace lt::cli {
namespace {

constexpr int CheckTrouble = 2;

int trouble(Io& io, const QString& text) {
    fail(io, text);
    return CheckTrouble;
}

int runCheck(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("--pitch")}, {QStringLiteral("--json")});
    LegibilityRules rules;
    rules.pitchMm = args.intValue(QStringLiteral("--pitch"), 0, 1, 100);
    if (!args.ok()) return trouble(io, args.error());
    if (args.positional().size() != 1)
        return trouble(io, QStringLiteral("usage: linetint-cli check PROJECT.vmprj [--json] [--pitch MM]"));
    const QString path = args.positional().first();
    ProjectRead read = readProjectFile(path);
    if (read.status != ProjectRead::Ok) return trouble(io, projectError(path, read.error));

    const QList<Finding> findings = checkProject(*read.data, rules);
    if (args.has(QStringLiteral("--json"))) {
        QJsonObject o;
        o[QStringLiteral("clean")] = findings.isEmpty();
        o[QStringLiteral("findings")] = findingsJson(findings);
        io.out << QJsonDocument(o).toJson(QJsonDocument::Indented);
    } else if (findings.isEmpty()) {
        io.out << "No findings: every view in use looks right." << Qt::endl;
    } else {
        for (const Finding& f : findings) io.out << f.text() << '\n';
        io.out << findings.size() << (findings.size() == 1 ? " finding." : " findings.") << Qt::endl;
    }
    return findings.isEmpty() ? 0 : 1;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("check"), QStringLiteral("list what would look wrong on the sign"),
    QStringLiteral("Usage: linetint-cli check PROJECT.vmprj [--json] [--pitch MM]\n\n"
                   "Looks at every view in use of every language in use, region by region as the\n"
                   "view type shows them, and prints one line per finding:\n"
                   "  LANGUAGE/VIEW REGION: WHAT: WHY\n\n"
                   "  too-wide            the text is wider than its window and does not move sideways\n"
                   "  too-tall            the text reaches above or below its window\n"
                   "  cut-by-picture      the text runs past the edge of the region's picture\n"
                   "                      (512, 2048 or 64 columns; 32, 20 or 32 rows)\n"
                   "  missing-glyphs      characters the chosen face cannot draw\n"
                   "  font-not-installed  the font face is not installed here\n"
                   "  empty-region        a region the view type shows has no text\n"
                   "  same-colour         font and background have the same colour\n"
                   "  zero-time           the view's display time is 0\n"
                   "  not-carried         characters the pendrive file's 8-bit texts cannot carry; the\n"
                   "                      stick gets their nearest carried form, which the line quotes\n"
                   "  too-long            a name or text longer than its field in the pendrive file\n"
                   "  control-character   a line break, tab or other control character in a name or\n"
                   "                      text, which one line of the sign cannot show\n\n"
                   "What a rider needs to read the sign from the kerb:\n"
                   "  scroll-unfinished   a moving text does not show its end within the view's\n"
                   "                      display time (0 counts as 1 s), moved as the bus moves it\n"
                   "  touches-neighbour   the route number's ink comes closer than one unlit column\n"
                   "                      to a line beside it, or the top line's closer than one\n"
                   "                      unlit row to the bottom line's\n"
                   "  letters-merge       two neighbouring letters with no unlit column between\n"
                   "                      them (scripts whose letters join by design are exempt)\n"
                   "  below-floor         capitals lower than the floor of their line: route\n"
                   "                      number 14 LEDs, top line 9, any other line 7\n"
                   "  route-drawn-differently  one route (the same left text) drawn with another\n"
                   "                      face, size or style in other views of the language\n\n"
                   "The floors come from UK accessibility guidance for bus displays (a route\n"
                   "number at least 200 mm high, the destination at least 125 mm), the practice of\n"
                   "LED panel makers (a capital needs enough rows for its shape, with rows for\n"
                   "accents and descenders beside it) and depot practice (a double-height route\n"
                   "number, the terminus on the top line, the via points below).\n\n"
                   "  --json      {\"clean\": bool, \"findings\": [{language, view, region, what, why}]}\n"
                   "  --pitch MM  the sign's LED pitch in millimetres: the route and top-line floors\n"
                   "              rise to 200 mm and 125 mm of capital height where that is higher\n\n"
                   "Exit status: 0 when nothing is found, 1 when something is found, 2 when the\n"
                   "project cannot be read.\n"),
    runCheck);

}  // namespace lt::cli
