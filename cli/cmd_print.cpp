// Printing: the destinations sheet for drivers and the update instructions
// sheet, to a PDF file and/or to page pictures, drawn as the print window
// draws and prints them.
#include "cli/command.h"
#include "model/projectfile.h"
#include "print/instructions.h"
#include "print/printimage.h"
#include "print/printpage.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <memory>

namespace lt::cli {
namespace {

const QString Usage = QStringLiteral(
    "Usage: linetint-cli print PROJECT.vmprj [--lang L] [-o SHEET.pdf] [--png DIR]\n"
    "       linetint-cli print --instructions [-o SHEET.pdf] [--png DIR]\n\n"
    "Prints the destinations sheet for drivers of one display language (six A4\n"
    "pages, 50 destinations each) or the update instructions sheet (one page).\n"
    "  --lang L        display language 1..3 (default 1); it must be in use\n"
    "  --instructions  the update instructions sheet instead\n"
    "  -o SHEET.pdf    write the sheet as a PDF, fitted to the printable area of\n"
    "                  an A4 page as the print window prints it; the texts of the\n"
    "                  destinations sheet are real, searchable text\n"
    "  --png DIR       write each page picture (2100 x 2970) as DIR/page-N.png\n"
    "                  (DIR/instructions.png for the instructions)\n"
    "At least one of -o and --png is needed.\n");

QString writePng(const QImage& image, const QString& path) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return QStringLiteral("%1: could not encode the page picture").arg(path);
    const QString error = writeFileAtomically(path, bytes.constData(), bytes.size());
    return error.isEmpty() ? QString() : QStringLiteral("%1: %2").arg(path, error);
}

int runPrint(const QStringList& argv, Io& io) {
    Args args(argv, {QStringLiteral("-o"), QStringLiteral("--lang"), QStringLiteral("--png")},
              {QStringLiteral("--instructions")});
    const bool instructions = args.has(QStringLiteral("--instructions"));
    const int lang = args.intValue(QStringLiteral("--lang"), 1, 1, LanguageCount);
    if (!args.ok()) return fail(io, args.error());
    const QString pdfPath = args.value(QStringLiteral("-o"));
    const QString pngDir = args.value(QStringLiteral("--png"));
    const QStringList positional = args.positional();
    if ((instructions ? !positional.isEmpty() : positional.size() != 1) ||
        (pdfPath.isEmpty() && pngDir.isEmpty()))
        return fail(
            io, QStringLiteral("usage: linetint-cli print PROJECT.vmprj [--lang L] -o SHEET.pdf [--png DIR]\n"
                               "       linetint-cli print --instructions -o SHEET.pdf [--png DIR]"));
    if (instructions && args.has(QStringLiteral("--lang")))
        return fail(io, QStringLiteral("--lang belongs to the destinations sheet, not to --instructions"));

    std::unique_ptr<sDane> dane;
    if (!instructions) {
        const QString path = positional.first();
        ProjectRead read = readProjectFile(path);
        if (read.status != ProjectRead::Ok) return fail(io, projectError(path, read.error));
        dane = std::move(read.data);
        if (!isTrue(dane->Lang[lang - 1].Use) && lang != 1)
            return fail(io, QStringLiteral("%1: display language %2 is not in use").arg(path).arg(lang));
    }
    if (!pngDir.isEmpty()) {
        const QFileInfo dir(pngDir);
        if (dir.exists() && !dir.isDir()) return fail(io, QStringLiteral("%1: not a folder").arg(pngDir));
        if (!QDir().mkpath(pngDir))
            return fail(io, QStringLiteral("%1: cannot create the folder").arg(pngDir));
    }

    const int pageCount = instructions ? 1 : SheetPageCount;
    Bitmap page;
    QString error;
    const auto pageAt = [&](int p) {
        if (instructions)
            drawInstructionsPage(page);
        else
            PrintPage(*dane, lang, p, page);
        const QString name =
            instructions ? QStringLiteral("instructions.png") : QStringLiteral("page-%1.png").arg(p + 1);
        error = writePng(page.image(), QDir(pngDir).filePath(name));
    };

    if (!pngDir.isEmpty()) {
        for (int p = 0; p < pageCount && error.isEmpty(); ++p) pageAt(p);
        if (!error.isEmpty()) return fail(io, error);
    }
    if (pdfPath.isEmpty()) {
        io.out << "Pictures of " << pageCount << (pageCount == 1 ? " page" : " pages") << " written to "
               << pngDir << Qt::endl;
        return 0;
    }

    // The destinations sheet goes on paper as drawings with real text; the
    // instructions sheet is a picture.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Velmora Line Tint"));
        writer.setTitle(instructions
                            ? instructionsCaption()
                            : destinationsCaption() + QStringLiteral(" - ") + ReadText(dane->ProjName));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Point));
        if (instructions) {
            error = printPages(writer, printableArea(writer), pageCount, [&](int) {
                drawInstructionsPage(page);
                return page.image();
            });
        } else {
            error = printSheet(writer, printableArea(writer), *dane, lang);
        }
    }
    if (!error.isEmpty()) return fail(io, error);
    const QString writeError = writeFileAtomically(pdfPath, pdf.constData(), pdf.size());
    if (!writeError.isEmpty()) return fail(io, msgWriteFailed(pdfPath, writeError));
    io.out << pageCount << (pageCount == 1 ? " page" : " pages") << " printed to " << pdfPath << Qt::endl;
    return 0;
}

}  // namespace

LT_CLI_COMMAND(QStringLiteral("print"), QStringLiteral("print the destinations or instructions sheet to PDF"),
               Usage, runPrint);

}  // namespace lt::cli
