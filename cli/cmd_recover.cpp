// Pendrive commands: rebuild a project from a pendrive file alone.
#include "cli/command.h"
#include "depot/recover.h"
#include "model/projectfile.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace lt::cli {
namespace {

int runRecover(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o")}, {QStringLiteral("--json")});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(io, QStringLiteral("usage: linetint-cli recover IMAGE.bin -o OUT.vmprj [--json]"));
    const QString path = args.positional().first();

    auto flash = std::make_unique<sflash>();
    QString error = readImageForRecovery(path, *flash);
    if (!error.isEmpty()) return fail(io, error);
    auto dane = std::make_unique<sDane>();
    const RecoverReport report = recoverProject(*flash, *dane);
    error = writeProjectFile(*dane, out);
    if (!error.isEmpty()) return fail(io, out + QStringLiteral(": ") + error);

    if (args.has(QStringLiteral("--json"))) {
        QJsonObject o = report.json();
        o[QStringLiteral("written")] = out;
        io.out << QJsonDocument(o).toJson(QJsonDocument::Indented);
    } else {
        for (const RecoverFinding& f : report.findings) io.out << f.line() << '\n';
        for (const RecoverFinding& f : report.ambiguous) io.out << f.line() << '\n';
        io.out << report.summary() << '\n' << "Project written to " << out << Qt::endl;
    }
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("recover"), QStringLiteral("rebuild a project from a pendrive file"),
    QStringLiteral("Usage: linetint-cli recover IMAGE.bin -o OUT.vmprj [--json]\n\n"
                   "Rebuilds the project a pendrive file was exported from: every setting the\n"
                   "image carries comes back, the rest takes the values of a new project.\n"
                   "Capital Polish letters and the pair z-acute/z-dot share their 8-bit codes with\n"
                   "other letters; for every region the sign shows in a view in use the reading\n"
                   "whose rendering reproduces the image's own picture is chosen. A region whose\n"
                   "picture no reading reproduces (characters the file cannot carry, a font not\n"
                   "installed here, a picture made elsewhere) keeps the plain reading and gets\n"
                   "one line:\n"
                   "  LANGUAGE/VIEW REGION: WHY\n"
                   "Then one line per region whose picture other readings reproduce as well\n"
                   "(an accent cut off at the edge; Ż and Ź drawn alike at 8 points):\n"
                   "  LANGUAGE/VIEW REGION: \"TEXT\" could also read \"OTHER\"\n"
                   "then a summary of views in use and regions read exactly, read with more than\n"
                   "one possible reading, and not read exactly.\n\n"
                   "  -o OUT.vmprj  the project file to write\n"
                   "  --json        {\"viewsInUse\", \"regionsExact\", \"regionsAmbiguous\",\n"
                   "                 \"regionsNotExact\", \"written\",\n"
                   "                 \"regions\": [{language, view, region, text, why}],\n"
                   "                 \"ambiguous\": [{language, view, region, text, readings}]}\n\n"
                   "Exit status: 0 when the project was written, 1 when nothing was written (not\n"
                   "a pendrive file, a project file given instead, a file that cannot be read or\n"
                   "written).\n"),
    runRecover);

}  // namespace lt::cli
