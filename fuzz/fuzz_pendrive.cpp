// Pendrive file import and its description, as the editor imports a file and
// `linetint-cli info` describes it. The first input byte says what the rest is:
//   0: patches onto the image our build makes from the default project, kept
//      in memory (see Patch; at most 16 records, screens addressed by unit),
//      so that the screens in use are those the patches switch on;
//   1: a whole file, written out and imported through the editor's command,
//      which refuses it for its size, leaving the image as it was;
//   2: bytes laid over the start of that image (the header, up to 8 KiB).
// The patched image is described as JSON and as text; the description lists
// exactly the screens in use.

#include "depot/flashinfo.h"
#include "editor/document.h"
#include "editor/pendrive.h"
#include "fuzz/fixtures.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

namespace lt {
namespace {

/// The user's answers: the fuzzed file in the open dialog, every message noted.
class FilePrompts : public Prompts {
public:
    QString path;
    QStringList messages;
    bool confirm(const QString&) override { return true; }
    void message(const QString& text) override { messages << text; }
    QString openFile(const FileDialogSpec&) override { return path; }
    QString saveFile(const FileDialogSpec&) override { return QString(); }
};

void importFile(const std::uint8_t* in, std::size_t n) {
    static QTemporaryDir dir;
    static Document doc;
    const QString path = dir.path() + QStringLiteral("/image.bin");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly)) return;
        out.write(reinterpret_cast<const char*>(in), static_cast<qint64>(n));
    }
    FilePrompts prompts;
    prompts.path = path;
    doc.flash().version = 0x5A;
    Importujzplikuwywitlacza1Click(doc, prompts);
    LT_FUZZ_CHECK(prompts.messages == QStringList{msgFileSizeMismatch(static_cast<qint64>(n), FlashSize)});
    LT_FUZZ_CHECK(doc.flash().version == 0x5A);
}

void describe(const sflash& f) {
    const QJsonObject info = describeFlash(f);
    const QJsonArray langs = info[QStringLiteral("languages")].toArray();
    LT_FUZZ_CHECK(langs.size() == LanguageCount);
    for (int l = 1; l <= LanguageCount; ++l) {
        int inUse = 0;
        for (int v = 1; v <= ViewCount; ++v) inUse += screen(f, l, v).use != 0 ? 1 : 0;
        const QJsonArray screens = langs[l - 1].toObject()[QStringLiteral("screensInUse")].toArray();
        LT_FUZZ_CHECK(screens.size() == inUse);
    }
    (void)QJsonDocument(info).toJson(QJsonDocument::Indented);
    LT_FUZZ_CHECK(!flashInfoText(info).isEmpty());
}

int pendriveImport(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t* in = data + 1;
    const std::size_t n = size - 1;
    sflash& f = fuzz::defaultImage();
    fuzz::Patch patch(&f, fuzz::ImageLayout);
    switch (data[0] % 3) {
        case 0: patch.apply(in, n, 16); break;
        case 1: importFile(in, n); return 0;
        default: patch.write(0, in, std::min<std::size_t>(n, 8192)); break;
    }
    describe(f);
    return 0;
}

}  // namespace
}  // namespace lt

LT_FUZZ_TARGET("pendrive", lt::pendriveImport)
