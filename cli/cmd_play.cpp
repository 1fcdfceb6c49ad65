// play: a pendrive file (or a project) as the bus plays it, as an animated GIF.
#include "cli/command.h"
#include "depot/gif.h"
#include "depot/player.h"
#include "model/projectfile.h"

#include <QFileInfo>

#include <memory>

namespace lt::cli {
namespace {

int runPlay(const QStringList& argv, Io& io) {
    Args args(argv,
              {QStringLiteral("-o"), QStringLiteral("--view"), QStringLiteral("--seconds"),
               QStringLiteral("--scale")},
              {});
    if (!args.ok()) return fail(io, args.error());
    const QString out = args.value(QStringLiteral("-o"));
    if (out.isEmpty() || args.positional().size() != 1)
        return fail(io, QStringLiteral("usage: linetint-cli play FILE -o OUT.gif [--view V] [--seconds S] "
                                       "[--scale N]"));
    if (QFileInfo(out).suffix().toLower() != QLatin1String("gif"))
        return fail(io, QStringLiteral("%1: the animated picture must be a .gif file").arg(out));
    const int view = args.intValue(QStringLiteral("--view"), 0, 1, ViewCount);
    const int seconds = args.intValue(QStringLiteral("--seconds"), 0, 1, AnimationMaxSeconds);
    const int scale = args.intValue(QStringLiteral("--scale"), SignDefaultScale, 1, SignMaxScale);
    if (!args.ok()) return fail(io, args.error());
    if (!validSignScale(scale))
        return fail(io, QStringLiteral("--scale takes 1 (one pixel per LED) or %1 to %2 (round LEDs)")
                            .arg(SignMinDotScale)
                            .arg(SignMaxScale));

    const QString path = args.positional().first();
    auto flash = std::make_unique<sflash>();
    const QString error = loadPlayable(path, *flash);
    if (!error.isEmpty()) return fail(io, error);

    std::vector<PlayTurn> turns = view > 0 ? destinationTurns(*flash, view) : allDestinationTurns(*flash);
    if (turns.empty())
        return fail(io, view > 0 ? QStringLiteral("%1: destination %2 is not in use in any display language "
                                                  "in use; nothing to play")
                                       .arg(path)
                                       .arg(view)
                                 : QStringLiteral("%1: no destination is in use; nothing to play").arg(path));
    Player player(*flash, std::move(turns));
    std::int64_t length = seconds > 0 ? std::int64_t{seconds} * 1000 : player.length();
    constexpr std::int64_t longest = std::int64_t{AnimationMaxSeconds} * 1000;
    if (length > longest) {
        io.err << "linetint-cli: note: one whole turn lasts " << player.length() / 1000
               << " s; the picture stops after " << AnimationMaxSeconds << " s" << Qt::endl;
        length = longest;
    }

    const Animation animation = makeAnimation(player, length, scale);
    if (!animation.error.isEmpty()) return fail(io, animation.error);
    const QString writeError = writeFileAtomically(out, animation.gif.constData(), animation.gif.size());
    if (!writeError.isEmpty()) return fail(io, out + QStringLiteral(": ") + writeError);
    io.out << "Animated picture written to " << out << " (" << animation.width << " x " << animation.height
           << ", " << length / 1000.0 << " s, " << animation.frames << " frames, " << animation.gif.size()
           << " bytes)" << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("play"), QStringLiteral("animated picture of a pendrive file as the bus plays it"),
    QStringLiteral("Usage: linetint-cli play FILE -o OUT.gif [--view V] [--seconds S] [--scale N]\n\n"
                   "Plays a pendrive file as the sign shows it, from the file's own bytes, and\n"
                   "writes a looping animated GIF. FILE may also be a project file, which is\n"
                   "first built into an image in memory as export builds it.\n"
                   "Each region moves by the movement, speed and direction the file carries,\n"
                   "one step every 1000 div speed ms; the languages in use take turns in order\n"
                   "1, 2, 3, each for its display time (0 counts as 1 s). Frames change at most\n"
                   "every 20 ms; a faster region moves several steps from one frame to the next.\n"
                   "  --view V      destination V (1..300) once the driver picks it; without it\n"
                   "                every destination in use, one turn of languages each\n"
                   "  --seconds S   S seconds (1..3600) instead of one whole turn\n"
                   "  --scale N     1: one pixel per LED in the eight sign colours (128 x 32);\n"
                   "                4..16: each LED a round dot N pixels apart on a dark face\n"
                   "                (default 4)\n"
                   "A file that is neither a pendrive file nor a project is refused as recover\n"
                   "refuses it (wrong size, or a header that does not describe a sign of\n"
                   "128 x 32 LEDs), and so is an OUT not ending in .gif; nothing is written then.\n"),
    runPlay);

}  // namespace lt::cli
