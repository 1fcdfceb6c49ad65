// The render command: one view's preview (or thumbnail) as a picture.
#include "cli/command.h"
#include "editor/document.h"
#include "render/animation.h"
#include "render/picture.h"
#include "render/pixels.h"
#include "render/preview.h"
#include "render/view.h"

#include <QFileInfo>

namespace lt::cli {
namespace {

int runRender(const QStringList& argv, Io& io) {
    Args args(
        argv,
        {QStringLiteral("--lang"), QStringLiteral("--view"), QStringLiteral("-o"), QStringLiteral("--ticks")},
        {QStringLiteral("--thumbnail")});
    const int lang = args.intValue(QStringLiteral("--lang"), 1, 1, LanguageCount);
    const int view = args.intValue(QStringLiteral("--view"), 1, 1, ViewCount);
    const int ticks = args.intValue(QStringLiteral("--ticks"), 0, 0, 10000000);
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (args.positional().size() != 1 || out.isEmpty())
        return fail(io, QStringLiteral("usage: linetint-cli render PROJECT.vmprj [--lang L] [--view V] "
                                       "[--thumbnail] [--ticks N] -o OUT.bmp|OUT.png"));
    const QString suffix = QFileInfo(out).suffix().toLower();
    if (suffix != QLatin1String("bmp") && suffix != QLatin1String("png"))
        return fail(io, QStringLiteral("%1: the picture must be a .bmp or a .png file").arg(out));
    const QString path = args.positional().first();
    Document doc;
    const QString error = doc.openProject(path);
    if (!error.isEmpty()) return fail(io, projectError(path, error));
    Surfaces& s = doc.surfaces();
    sWidok& w = widok(doc.dane(), lang, view);
    syncBars(w, s);
    if (ticks > 0) {
        // As opening the view starts its movements: bottom, top, left; then
        // every running region advances tick by tick. The texts do not change
        // between ticks, so one composition gives the sizes all ticks use.
        struct Moving {
            Region region;
            bool running;
        } moving[] = {{Region::Gorny, false}, {Region::Dolny, false}, {Region::Lewy, false}};
        moving[1].running = restartMovement(w.Dolny);
        moving[0].running = restartMovement(w.Gorny);
        moving[2].running = restartMovement(w.Lewy);
        storeSizes(w, renderView(w, s));
        for (int t = 0; t < ticks; ++t)
            for (Moving& m : moving)
                if (m.running && stepRegion(w, m.region).disableTimer) m.running = false;
    }
    storeSizes(w, renderView(w, s));
    const QString written =
        args.has(QStringLiteral("--thumbnail"))
            ? (FastResizeBmp(s.preview, s.thumbnail(lang, view)), writePicture(s.thumbnail(lang, view), out))
            : writePicture(s.preview, out);
    if (!written.isEmpty())
        return fail(io, written.startsWith(out) ? written : out + QStringLiteral(": ") + written);
    io.out << "Picture written to " << out << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(QStringLiteral("render"), QStringLiteral("draw one view's sign preview as a picture"),
               QStringLiteral("Usage: linetint-cli render PROJECT.vmprj [--lang L] [--view V] [--thumbnail]\n"
                              "                           [--ticks N] -o OUT.bmp|OUT.png\n\n"
                              "Draws view V (1..300, default 1) of display language L (1..3, default 1)\n"
                              "as the editor's preview shows it: 768 x 192 pixels, six per LED.\n"
                              "  --thumbnail   the 128 x 32 thumbnail of the views list instead\n"
                              "  --ticks N     start the view's movements as opening it does (offsets\n"
                              "                back to 0), then advance each moving region N ticks\n"
                              "The picture is a 24-bit BMP or a PNG, by the extension of OUT.\n"),
               runRender);

}  // namespace lt::cli
