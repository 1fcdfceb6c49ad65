// linetint-cli: the editor's work without its windows, for scripts and checks.
#include "cli/command.h"
#include "model/headless.h"

#include <QGuiApplication>
#include <QHash>

#include <algorithm>

namespace lt::cli {

std::vector<Command>& commands() {
    static std::vector<Command> list;
    return list;
}

int fail(Io& io, const QString& text) {
    io.err << "linetint-cli: " << text << Qt::endl;
    return 1;
}

Args::Args(const QStringList& args, const QStringList& valueOptions, const QStringList& flags) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (valueOptions.contains(a)) {
            if (i + 1 >= args.size()) {
                m_error = QStringLiteral("option %1 needs a value").arg(a);
                return;
            }
            m_values.insert(a, args[++i]);
        } else if (flags.contains(a)) {
            m_flags << a;
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            m_error = QStringLiteral("unknown option %1").arg(a);
            return;
        } else {
            m_positional << a;
        }
    }
}

int Args::intValue(const QString& name, int fallback, int lo, int hi) {
    if (!m_values.contains(name)) return fallback;
    bool ok = false;
    const int v = m_values.value(name).toInt(&ok);
    if (!ok || v < lo || v > hi) {
        m_error = QStringLiteral("%1 takes a whole number from %2 to %3").arg(name).arg(lo).arg(hi);
        return fallback;
    }
    return v;
}

static void printUsage(QTextStream& out) {
    out << "Usage: linetint-cli COMMAND [OPTIONS]\n\n"
           "The Velmora Line Tint editor's work without its windows.\n\nCommands:\n";
    auto list = commands();
    std::sort(list.begin(), list.end(), [](const Command& a, const Command& b) { return a.name < b.name; });
    qsizetype width = 0;
    for (const Command& c : list) width = std::max(width, c.name.size());
    for (const Command& c : list) out << "  " << c.name.leftJustified(width + 2) << c.summary << '\n';
    out << "\nRun 'linetint-cli COMMAND --help' for the options of a command.\n";
}

}  // namespace lt::cli

int main(int argc, char** argv) {
    // Rendering needs the font engine but never a display.
    lt::prepareHeadless();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    lt::cli::Io io{out, err};
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h") ||
        args[0] == QLatin1String("help")) {
        lt::cli::printUsage(args.isEmpty() ? err : out);
        return args.isEmpty() ? 1 : 0;
    }
    const QString name = args.takeFirst();
    for (const lt::cli::Command& c : lt::cli::commands()) {
        if (c.name != name) continue;
        if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
            out << c.usage;
            return 0;
        }
        const int rc = c.run(args, io);
        out.flush();
        err.flush();
        return rc;
    }
    return lt::cli::fail(io, QStringLiteral("unknown command '%1' (see linetint-cli --help)").arg(name));
}
