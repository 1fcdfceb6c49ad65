// Pendrive file: the input becomes a file that is imported the way the editor
// imports one, then described as `linetint-cli info` describes it and its
// screens decoded as `linetint-cli decode` shows them.
//
// The file is 8 MiB, so the first input byte says what the rest is:
//   mode 0: patches onto an image exported from the default project, records
//           of a 32-bit address, a length byte and that many bytes; an address
//           with its top bit set names screen (bits 16..25 mod 900) and an
//           offset inside it (bits 0..15), any other one a file offset;
//   mode 1: the whole file as it is (short, so refused for its size);
//   mode 2: bytes laid over the start of the exported image (the header).
// An input of exactly 8 MiB is taken as the whole file.

#include "depot/decode.h"
#include "depot/flashinfo.h"
#include "depot/player.h"
#include "display/flashbuild.h"
#include "display/pendrive.h"
#include "fuzz/fuzz_app.h"
#include "model/document.h"

#include <QBuffer>
#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

/// The user's answers: the fuzzed file in the open dialog, every message noted.
class FilePrompts : public lt::Prompts {
public:
    QString path;
    QStringList messages;
    bool confirm(const QString&) override { return true; }
    void message(const QString& text) override { messages << text; }
    QString openFile(const lt::FileDialogSpec&) override { return path; }
    QString saveFile(const lt::FileDialogSpec&) override { return QString(); }
};

struct Fixture {
    QTemporaryDir dir;
    std::vector<char> base;
    std::unique_ptr<lt::Document> doc;

    Fixture() {
        ensureFuzzApp();
        doc = std::make_unique<lt::Document>();
        doc->newDane();
        lt::EncodeKorvo2Flash(*doc);
        const char* p = reinterpret_cast<const char*>(&doc->flash());
        base.assign(p, p + sizeof(lt::sflash));
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

/// The screen (0-based, language-major) a file offset falls into, or -1.
int screenAt(std::size_t at) {
    const std::size_t s0 = lt::screenOffset(1, 1);
    if (at < s0 || at >= s0 + sizeof(lt::sflash::screens)) return -1;
    return static_cast<int>((at - s0) / sizeof(lt::sscreengray));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fixture& f = fixture();
    std::vector<char> bytes;
    std::set<int> touched = {0};
    const int mode = size == sizeof(lt::sflash) ? 1 : size == 0 ? 0 : data[0] % 3;
    const std::uint8_t* in = size == sizeof(lt::sflash) ? data : data + std::min<std::size_t>(size, 1);
    const std::size_t n = static_cast<std::size_t>(data + size - in);
    if (mode == 1) {
        bytes.assign(reinterpret_cast<const char*>(in), reinterpret_cast<const char*>(in) + n);
        for (int k = 0; k < lt::LanguageCount * lt::ViewCount; k += 97) touched.insert(k);
    } else if (mode == 2) {
        bytes = f.base;
        std::memcpy(bytes.data(), in, std::min(n, bytes.size()));
    } else {
        bytes = f.base;
        std::size_t i = 0;
        while (i + 5 <= n) {
            std::uint32_t addr = 0;
            std::memcpy(&addr, in + i, 4);
            const std::size_t len = in[i + 4];
            i += 5;
            const std::size_t m = std::min(len, n - i);
            std::size_t at = 0;
            if (addr & 0x80000000u) {
                const int k = static_cast<int>((addr >> 16) & 0x3ff) % (lt::LanguageCount * lt::ViewCount);
                at = lt::screenOffset(k / lt::ViewCount + 1, k % lt::ViewCount + 1) +
                     (addr & 0xffff) % sizeof(lt::sscreengray);
            } else {
                at = addr % bytes.size();
            }
            std::memcpy(bytes.data() + at, in + i, std::min(m, bytes.size() - at));
            i += m;
            if (const int k = screenAt(at); k >= 0 && touched.size() < 8) touched.insert(k);
        }
    }
    const QString path = f.dir.path() + QStringLiteral("/image.bin");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly)) return 0;
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    // The editor's import.
    lt::Document& doc = *f.doc;
    FilePrompts prompts;
    prompts.path = path;
    lt::Importujzplikuwywitlacza1Click(doc, prompts);
    const bool imported = prompts.messages == QStringList{lt::msgFlashImported()};
    if (bytes.size() == sizeof(lt::sflash)) {
        if (!imported || std::memcmp(&doc.flash(), bytes.data(), bytes.size()) != 0) std::abort();
    } else if (imported) {
        std::abort();  // a file of another size must be refused
    }

    // What the command-line companion reads from the file.
    auto flash = std::make_unique<lt::sflash>();
    if (!lt::readFlashFile(path, *flash).isEmpty()) return 0;
    const QJsonObject info = lt::describeFlash(*flash);
    (void)QJsonDocument(info).toJson(QJsonDocument::Indented);
    (void)lt::flashInfoText(info);
    // Every touched screen is decoded; the last one is also enlarged and
    // encoded, at a scale taken from the input.
    const int scale = n > 0 ? in[n - 1] % 16 + 1 : 1;
    lt::Bitmap face;
    for (int k : touched) {
        face = lt::DecodeScreen(*flash, k / lt::ViewCount + 1, k % lt::ViewCount + 1);
        if (face.width() != lt::FlashLedX || face.height() != lt::FlashLedY) std::abort();
    }
    // Every touched screen also plays for a while taken from the input, moved
    // by its own movement fields.
    const std::int64_t playMs = n > 1 ? std::int64_t{in[n - 2]} * 20 : 0;
    for (int k : touched) {
        lt::ScreenPlay play(*flash, k / lt::ViewCount + 1, k % lt::ViewCount + 1);
        play.seek(playMs);
        if (play.face().size() != lt::FlashLedX * lt::FlashLedY) std::abort();
    }
    const lt::Bitmap big = lt::enlargeBitmap(face, scale);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!big.image().save(&buffer, "PNG")) std::abort();
    return 0;
}
