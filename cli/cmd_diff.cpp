// diff: what changed between two pendrive files.
#include "cli/command.h"
#include "depot/imagediff.h"
#include "depot/pendrivefile.h"
#include "model/projectfile.h"

#include <QJsonDocument>

#include <cstring>
#include <memory>

namespace lt::cli {
namespace {

constexpr int DiffTrouble = 2;

int trouble(Io& io, const QString& text) {
    io.err << "linetint-cli: " << text << Qt::endl;
    return DiffTrouble;
}

/// Reads a pendrive file whole; the size is checked before any byte is used.
std::unique_ptr<sflash> readImage(const QString& path, QString& error) {
    auto image = std::make_unique<sflash>();
    error = readPendriveFile(path, *image, PendriveTest::SizeOnly);
    if (!error.isEmpty()) return nullptr;
    return image;
}

int runDiff(const QStringList& argv, Io& io) {
    Args args(argv, {}, {QStringLiteral("--json")});
    if (!args.ok()) return trouble(io, args.error());
    if (args.positional().size() != 2)
        return trouble(io, QStringLiteral("usage: linetint-cli diff A.bin B.bin [--json]"));
    QString error;
    const auto a = readImage(args.positional()[0], error);
    if (!a) return trouble(io, error);
    const auto b = readImage(args.positional()[1], error);
    if (!b) return trouble(io, error);

    const ImageDiff diff = diffImages(*a, *b);
    if (args.has(QStringLiteral("--json"))) {
        io.out << QJsonDocument(diffJson(diff)).toJson(QJsonDocument::Indented);
    } else if (diff.identical()) {
        io.out << "The pendrive files are identical." << Qt::endl;
    } else {
        for (const QString& line : diffLines(diff)) io.out << line << '\n';
        io.out << diff.header.size() << " header fields and " << diff.screens.size() << " screens differ."
               << Qt::endl;
    }
    return diff.identical() ? 0 : 1;
}

}  // namespace

LT_CLI_COMMAND(
    QStringLiteral("diff"), QStringLiteral("show what changed between two pendrive files"),
    QStringLiteral("Usage: linetint-cli diff A.bin B.bin [--json]\n\n"
                   "Lists what a new pendrive file B changes against A: the header field by field\n"
                   "(configuration, language entries, EEPROM, firmware), then every screen that\n"
                   "differs as \"screen LANGUAGE/VIEW\" with its settings, its texts and, for each\n"
                   "region picture, how many bytes and pixels differ and where.\n"
                   "  --json   one JSON object instead of text\n\n"
                   "Exit status: 0 when the files are identical, 1 when they differ, 2 when a file\n"
                   "cannot be read or is not a pendrive file.\n"),
    runDiff);

}  // namespace lt::cli
