#pragma once
// The subcommands of linetint-cli. Each source file of cli/ registers its
// commands with LT_CLI_COMMAND; main() dispatches on the first argument.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <vector>

namespace lt::cli {

struct Io {
    QTextStream& out;
    QTextStream& err;
};

struct Command {
    QString name;
    QString summary;  // one line for the command list
    QString usage;    // the whole --help text of the command
    int (*run)(const QStringList& args, Io& io);
};

std::vector<Command>& commands();

struct Registrar {
    explicit Registrar(Command c) { commands().push_back(std::move(c)); }
};

/// Reports an error on stderr as "linetint-cli: <text>" and returns 1.
int fail(Io& io, const QString& text);

/// The message for a project file that could not be read, from the reader's
/// own message: "cannot open FILE: REASON" for a file that cannot be opened, a
/// pendrive file named as one (with the command that rebuilds a project from
/// it), a file of another size with its size, else "FILE: MESSAGE".
QString projectError(const QString& path, const QString& error);

/// The options of one command read with QCommandLineParser, as every Qt tool
/// reads them: options with values ("-o FILE", "--lang 2", "--lang=2"), flags
/// ("--json") and positional arguments, in any order; "--" ends the options.
/// Options are named with their dashes, as they are typed.
class Args {
public:
    Args(const QStringList& args, const QStringList& valueOptions, const QStringList& flags);
    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }
    bool has(const QString& name) const { return m_values.contains(name) || m_flags.contains(name); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return m_values.value(name, fallback);
    }
    /// An integer option within lo..hi; sets an error and returns fallback otherwise.
    int intValue(const QString& name, int fallback, int lo, int hi);
    QStringList positional() const { return m_positional; }

private:
    QHash<QString, QString> m_values;
    QStringList m_flags;
    QStringList m_positional;
    QString m_error;
};

/// True when the arguments of a command ask for its help ("-h", "--help" or
/// "-?" before any "--").
bool asksForHelp(const QStringList& args);

}  // namespace lt::cli

#define LT_CLI_CONCAT2(a, b) a##b
#define LT_CLI_CONCAT(a, b) LT_CLI_CONCAT2(a, b)
#define LT_CLI_COMMAND(...) \
    static const ::lt::cli::Registrar LT_CLI_CONCAT(ltCliRegistrar, __LINE__)(::lt::cli::Command{__VA_ARGS__})
