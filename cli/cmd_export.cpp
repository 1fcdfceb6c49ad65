// Pendrive commands: export a project as the sign's display image.
#include "cli/command.h"
#include "depot/pendrivefile.h"
#include "display/flashbuild.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "model/carry.h"

#include <QFileInfo>

namespace lt::cli {
namespace {

int runExport(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o"), QStringLiteral("--base"), QStringLiteral("--firmware")}, {});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() > 1)
        return fail(io, QStringLiteral("usage: linetint-cli export [PROJECT.vmprj] [--base IMAGE.bin] "
                                       "[--firmware FW.bin] -o OUT.bin"));

    // The project as the editor holds it after start-up or after Open.
    Document doc;
    if (args.positional().isEmpty()) {
        doc.newProject();
    } else {
        const QString error = doc.openProject(args.positional().first());
        if (!error.isEmpty()) return fail(io, projectError(args.positional().first(), error));
    }
    if (args.has(QStringLiteral("--firmware"))) {
        const QString path = args.value(QStringLiteral("--firmware"));
        if (!QFileInfo::exists(path))
            return fail(io, msgCannotOpen(path, QStringLiteral("No such file or directory")));
        const QString error = readFirmwareFile(path, doc.dane());
        if (!error.isEmpty()) return fail(io, path + QStringLiteral(": ") + error);
    }
    if (args.has(QStringLiteral("--base"))) {
        const QString path = args.value(QStringLiteral("--base"));
        const QString error = readPendriveFile(path, doc.flash(), PendriveTest::SizeOnly);
        if (!error.isEmpty()) return fail(io, error);
    }

    EncodeKorvo2Flash(doc);
    const QString error = writeFlashFile(doc.flash(), out);
    if (!error.isEmpty()) return fail(io, out + QStringLiteral(": ") + error);
    int inUse = 0;
    for (int l = 1; l <= LanguageCount; ++l)
        for (int v = 1; v <= ViewCount; ++v) inUse += screen(doc.flash(), l, v).use != 0 ? 1 : 0;
    io.out << "Pendrive file written to " << out << " (" << FlashSize << " bytes, " << inUse
           << " screens in use)" << Qt::endl;
    for (const QString& w : carryWarnings(doc.dane())) io.err << "warning: " << w << '\n';
    io.err.flush();
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("export"), QStringLiteral("write the pendrive file of a project"),
    QStringLiteral(
        "Usage: linetint-cli export [PROJECT.vmprj] [--base IMAGE.bin] [--firmware FW.bin] -o OUT.bin\n\n"
        "Builds the display image of a project, as Edit > Export to pendrive does,\n"
        "and writes the 8,388,608-byte pendrive file.\n"
        "  PROJECT.vmprj      the project; without it the default project of File > New\n"
        "  --base IMAGE.bin   first import a pendrive file into the image, so its\n"
        "                     EEPROM, filler and controller fields are carried over\n"
        "  --firmware FW.bin  first import a 196,608-byte firmware file into the project\n"
        "  -o OUT.bin         the pendrive file to write\n\n"
        "A text with characters the 8-bit texts cannot carry is written with their\n"
        "nearest carried form (Plzeň as Plzen, a typographic dash as -, others as ?);\n"
        "one warning line on stderr names each such text of the views in use.\n"),
    runExport);

}  // namespace lt::cli
