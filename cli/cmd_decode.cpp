// Pendrive commands: show one screen of a pendrive file as the sign shows it.
#include "cli/command.h"
#include "depot/decode.h"
#include "depot/pendrivefile.h"
#include "display/flashfile.h"
#include "model/projectfile.h"

#include <QBuffer>

#include <memory>

namespace lt::cli {
namespace {

int runDecode(const QStringList& argv, Io& io) {
    Args args(
        argv,
        {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--view"), QStringLiteral("--scale")},
        {});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1 || !args.has(QStringLiteral("--lang")) ||
        !args.has(QStringLiteral("--view")))
        return fail(io, QStringLiteral(
                            "usage: linetint-cli decode IMAGE.bin --lang L --view V -o OUT.png [--scale N]"));
    const int lang = args.intValue(QStringLiteral("--lang"), 1, 1, LanguageCount);
    const int view = args.intValue(QStringLiteral("--view"), 1, 1, ViewCount);
    const int scale = args.intValue(QStringLiteral("--scale"), 1, 1, 16);
    if (!args.ok()) return fail(io, args.error());

    const QString path = args.positional().first();
    auto flash = std::make_unique<sflash>();
    const QString error = readPendriveFile(path, *flash, PendriveTest::SizeOnly);
    if (!error.isEmpty()) return fail(io, error);
    if (screen(*flash, lang, view).use == 0)
        io.err << "linetint-cli: note: screen " << lang << "/" << view
               << " is not in use; its pictures may be stale" << Qt::endl;

    const Bitmap face = enlargeBitmap(DecodeScreen(*flash, lang, view), scale);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!face.image().save(&buffer, "PNG"))
        return fail(io, QStringLiteral("the picture could not be encoded"));
    const QString writeError = writeFileAtomically(out, png.constData(), png.size());
    if (!writeError.isEmpty()) return fail(io, out + QStringLiteral(": ") + writeError);
    io.out << "Screen " << lang << "/" << view << " written to " << out << " (" << face.width() << " x "
           << face.height() << ")" << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("decode"), QStringLiteral("picture of one screen of a pendrive file"),
    QStringLiteral("Usage: linetint-cli decode IMAGE.bin --lang L --view V -o OUT.png [--scale N]\n\n"
                   "Shows screen V (1..300) of language L (1..3) of a pendrive file as the sign\n"
                   "shows it with its texts standing still, composed only from the file's bytes.\n"
                   "  --scale N   each LED as an N x N block (1..16, default 1: 128 x 32)\n"),
    runDecode);

}  // namespace lt::cli
