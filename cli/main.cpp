// linetint-cli: the editor's work without its windows, for scripts and checks.
#include "cli/command.h"
#include "model/headless.h"

#include <QCommandLineParser>
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

namespace {

/// The parser's name of an option typed as "-o" or "--lang".
QString bareName(const QString& typed) {
    qsizetype dashes = 0;
    while (dashes < typed.size() && typed[dashes] == QLatin1Char('-')) ++dashes;
    return typed.mid(dashes);
}

}  // namespace

Args::Args(const QStringList& args, const QStringList& valueOptions, const QStringList& flags) {
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    for (const QString& name : valueOptions)
        parser.addOption(QCommandLineOption(bareName(name), QString(), QStringLiteral("value")));
    for (const QString& name : flags) parser.addOption(QCommandLineOption(bareName(name)));
    // The parser takes the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("linetint-cli")} + args)) {
        m_error = parser.errorText();
        return;
    }
    for (const QString& name : valueOptions)
        if (parser.isSet(bareName(name))) m_values.insert(name, parser.value(bareName(name)));
    for (const QString& name : flags)
        if (parser.isSet(bareName(name))) m_flags << name;
    m_positional = parser.positionalArguments();
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

bool asksForHelp(const QStringList& args) {
    for (const QString& a : args) {
        if (a == QLatin1String("--")) return false;
        if (a == QLatin1String("-h") || a == QLatin1String("--help") || a == QLatin1String("-?")) return true;
    }
    return false;
}

static void printUsage(QTextStream& out) {
    out << "Usage: linetint-cli [options] COMMAND [OPTIONS]\n\n"
           "The Velmora Line Tint editor's work without its windows.\n\n"
           "Options:\n"
           "  -h, --help     Displays help on commandline options.\n"
           "  -v, --version  Displays version information.\n\n"
           "Commands:\n";
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
    QCoreApplication::setApplicationName(QStringLiteral("linetint-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LT_VERSION));
    QTextStream out(stdout);
    QTextStream err(stderr);
    lt::cli::Io io{out, err};

    // The tool's own options come before the command; everything from the
    // command on belongs to the command.
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("the command to run"));
    if (!parser.parse(QCoreApplication::arguments()))
        return lt::cli::fail(io, parser.errorText() + QStringLiteral(" See linetint-cli --help."));
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion()
            << Qt::endl;
        return 0;
    }
    QStringList args = parser.positionalArguments();
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all")) ||
        (!args.isEmpty() && args[0] == QLatin1String("help"))) {
        lt::cli::printUsage(out);
        return 0;
    }
    if (args.isEmpty()) {
        lt::cli::printUsage(err);
        return 1;
    }
    const QString name = args.takeFirst();
    for (const lt::cli::Command& c : lt::cli::commands()) {
        if (c.name != name) continue;
        if (lt::cli::asksForHelp(args)) {
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
