// Project commands: new and info.
#include "cli/command.h"
#include "cli/project_info.h"
#include "depot/pendrivefile.h"
#include "display/flash.h"
#include "editor/document.h"
#include "model/projectfile.h"

#include <QFileInfo>
#include <QJsonDocument>

namespace lt::cli {
namespace {

int runNew(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o")}, {});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || !args.positional().isEmpty())
        return fail(io, QStringLiteral("usage: linetint-cli new -o FILE.vmprj"));
    // As File > New makes it, thumbnails and their measurements included.
    Document doc;
    doc.newProject();
    const QString error = doc.writeProject(out);
    if (!error.isEmpty()) return fail(io, error.startsWith(out) ? error : out + QStringLiteral(": ") + error);
    io.out << "Project written to " << out << Qt::endl;
    return 0;
}

int runInfo(const QStringList& argv, Io& io) {
    Args args(argv, {}, {QStringLiteral("--json")});
    if (!args.ok()) return fail(io, args.error());
    if (args.positional().size() != 1)
        return fail(io, QStringLiteral("usage: linetint-cli info [--json] FILE"));
    const QString path = args.positional().first();
    const QFileInfo fi(path);
    if (!fi.exists()) return fail(io, msgCannotOpen(path, QStringLiteral("No such file or directory")));
    InfoFormatter* formatter = infoFormatterFor(path);
    if (!formatter)
        return fail(io,
                    QStringLiteral("%1 is not a project file (%2 bytes) nor a pendrive file (%3 bytes): it "
                                   "has %4 bytes")
                        .arg(path)
                        .arg(ProjectFileSize)
                        .arg(FlashSize)
                        .arg(fi.size()));
    QJsonObject info;
    QString error;
    if (!formatter->describe(path, info, error)) return fail(io, error);
    if (args.has(QStringLiteral("--json")))
        io.out << QJsonDocument(info).toJson(QJsonDocument::Indented);
    else
        io.out << formatter->text(info);
    return 0;
}

}  // namespace

LT_CLI_COMMAND(QStringLiteral("new"), QStringLiteral("write a new default project"),
               QStringLiteral("Usage: linetint-cli new -o FILE.vmprj\n\n"
                              "Writes a default project, as File > New makes it.\n"),
               runNew);
LT_CLI_COMMAND(QStringLiteral("info"), QStringLiteral("describe a project or pendrive file"),
               QStringLiteral("Usage: linetint-cli info [--json] FILE\n\n"
                              "Describes a project file (.vmprj) or a pendrive file (.bin).\n"
                              "  --json   one JSON object instead of text\n"),
               runInfo);

}  // namespace lt::cli
