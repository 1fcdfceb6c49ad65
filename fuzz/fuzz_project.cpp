// Project open: the input patches a default project (records of a 32-bit
// offset, a length byte and that many bytes), the result is written to a
// file and opened the way the editor opens it (which renders all 900
// thumbnails); every view the patches touch is then composed, stepped and
// reduced into its thumbnail, and the pendrive image is built from the
// project. An input of the exact project size is taken as the whole file.

#include "display/flashbuild.h"
#include "fuzz/fuzz_app.h"
#include "model/defaults.h"
#include "model/document.h"
#include "render/animation.h"
#include "render/preview.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

namespace {

struct Fixture {
    QTemporaryDir dir;
    std::vector<char> base;
    std::unique_ptr<lt::Document> doc;

    Fixture() {
        ensureFuzzApp();
        auto d = std::make_unique<lt::sDane>();
        std::memset(d.get(), 0, sizeof *d);
        lt::NewDane(*d);
        const char* p = reinterpret_cast<const char*>(d.get());
        base.assign(p, p + sizeof *d);
        doc = std::make_unique<lt::Document>();
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Fixture& f = fixture();
    std::vector<char> bytes;
    std::set<std::pair<int, int>> touched;
    if (size == sizeof(lt::sDane)) {
        bytes.assign(reinterpret_cast<const char*>(data), reinterpret_cast<const char*>(data) + size);
        touched.insert({1, 1});
    } else {
        bytes = f.base;
        std::size_t i = 0;
        while (i + 5 <= size) {
            std::uint32_t off = 0;
            std::memcpy(&off, data + i, 4);
            const std::size_t len = data[i + 4];
            i += 5;
            const std::size_t n = std::min(len, size - i);
            const std::size_t at = off % bytes.size();
            const std::size_t m = std::min(n, bytes.size() - at);
            std::memcpy(bytes.data() + at, data + i, m);
            i += n;
            const std::size_t w0 = offsetof(lt::sDane, Widok);
            if (at >= w0 && at < w0 + sizeof(lt::sDane::Widok)) {
                const std::size_t k = (at - w0) / sizeof(lt::sWidok);
                touched.insert(
                    {static_cast<int>(k / lt::ViewCount) + 1, static_cast<int>(k % lt::ViewCount) + 1});
            }
        }
        touched.insert({1, 1});
    }
    const QString path = f.dir.path() + QStringLiteral("/p.bin");
    {
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly)) return 0;
        out.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    lt::Document& doc = *f.doc;
    if (!doc.openProject(path).isEmpty()) return 0;
    lt::sDane& d = doc.dane();
    int views = 0;
    for (const auto& [l, v] : touched) {
        if (++views > 8) break;
        d.SelWidok = l;
        d.EditRow = v;
        doc.RenderLED();
        for (int tick = 0; tick < 3; ++tick) {
            for (lt::Region r : {lt::Region::Gorny, lt::Region::Dolny, lt::Region::Lewy})
                lt::stepRegion(d, r);
            doc.RenderLED();
        }
        doc.outlineRegion(lt::Region::Gorny);
        doc.RenderActiveBitmapSG();
    }
    lt::EncodeKorvo2Flash(doc);
    return 0;
}
