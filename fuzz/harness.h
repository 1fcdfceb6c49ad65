#pragma once
// What every fuzzing harness shares. A harness is one file fuzz/fuzz_<name>.cpp
// holding a body function that takes one input, registered with
// LT_FUZZ_TARGET("name", body). Built with -DLINETINT_FUZZ the file becomes
// the libFuzzer program fuzz_<name>, whose entry point only calls the body;
// the replay test links every harness file and feeds each body the files of
// fuzz/corpus/<name>/. A body reports a broken rule with LT_FUZZ_CHECK, which
// names the rule and stops the process, so the fuzzer keeps the input.

#include "model/headless.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace lt::fuzz {

using Body = int (*)(const std::uint8_t* data, std::size_t size);

struct Harness {
    const char* name;
    Body body;
};

/// Every harness linked into the program, in no particular order.
inline std::vector<Harness>& harnesses() {
    static std::vector<Harness> list;
    return list;
}

inline bool registerHarness(const char* name, Body body) {
    harnesses().push_back({name, body});
    return true;
}

/// The application object a harness needs for fonts and pictures: made once,
/// headless, on the first input; a program that has one already keeps it.
inline void ensureApp() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    lt::prepareHeadless();
    new QGuiApplication(argc, argv);  // lives until the process ends
}

[[noreturn]] inline void fail(const char* rule, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken rule: %s\n", file, line, rule);
    std::fflush(stderr);
    std::abort();
}

/// A buffer an input patches in place, put back as it was when the patch
/// ends, so that a large default (a project, a pendrive image) is made once
/// and never copied per input. The buffer is split into `units` records of
/// `unitSize` bytes from `unitBase` (views, screens).
///
/// The input is a list of records: a 32-bit little-endian address, a length
/// byte, and that many bytes (fewer at the input's end). An address with its
/// top bit set names a unit (bits 16..25, modulo the unit count) and an offset
/// inside it (bits 0..15, modulo the unit size); any other one is an offset
/// into the whole buffer (modulo its size). Bytes past the buffer's end are
/// dropped.
class Patch {
public:
    struct Layout {
        std::size_t size;      // bytes of the buffer
        std::size_t unitBase;  // offset of the first unit
        std::size_t unitSize;  // bytes of one unit
        int units;             // number of units
    };

    Patch(void* buffer, Layout layout) : m_buf(static_cast<char*>(buffer)), m_layout(layout) {}
    ~Patch() { restore(); }
    Patch(const Patch&) = delete;
    Patch& operator=(const Patch&) = delete;

    /// Applies at most maxRecords records of the input; returns the bytes used.
    std::size_t apply(const std::uint8_t* in, std::size_t n, int maxRecords) {
        std::size_t i = 0;
        for (int r = 0; r < maxRecords && i + 5 <= n; ++r) {
            std::uint32_t addr = 0;
            std::memcpy(&addr, in + i, 4);
            const std::size_t len = std::min<std::size_t>(in[i + 4], n - i - 5);
            i += 5;
            std::size_t at = 0;
            if (addr & 0x80000000u) {
                const int unit = static_cast<int>((addr >> 16) & 0x3ffu) % m_layout.units;
                at = m_layout.unitBase + static_cast<std::size_t>(unit) * m_layout.unitSize +
                     (addr & 0xffffu) % m_layout.unitSize;
            } else {
                at = addr % m_layout.size;
            }
            write(at, in + i, std::min(len, m_layout.size - at));
            i += len;
        }
        return i;
    }

    /// Writes bytes at an offset, keeping what they cover for the restore.
    void write(std::size_t at, const void* bytes, std::size_t len) {
        keep(at, len);
        std::memcpy(m_buf + at, bytes, len);
        noteUnits(at, len);
    }

    /// Keeps a range as it is now, to be put back by restore(): for a harness
    /// whose code under test writes into the buffer itself.
    void keep(std::size_t at, std::size_t len) {
        if (len == 0) return;
        m_saved.push_back({at, std::vector<char>(m_buf + at, m_buf + at + len)});
    }

    /// The units the patches wrote into, in the order first touched.
    const std::vector<int>& touched() const { return m_touched; }

    /// Puts every kept range back, the latest first.
    void restore() {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            std::memcpy(m_buf + it->at, it->bytes.data(), it->bytes.size());
        m_saved.clear();
    }

private:
    void noteUnits(std::size_t at, std::size_t len) {
        const std::size_t end =
            m_layout.unitBase + m_layout.unitSize * static_cast<std::size_t>(m_layout.units);
        const std::size_t lo = std::max(at, m_layout.unitBase);
        const std::size_t hi = std::min(at + len, end);
        if (lo >= hi) return;
        for (std::size_t u = (lo - m_layout.unitBase) / m_layout.unitSize;
             u <= (hi - 1 - m_layout.unitBase) / m_layout.unitSize; ++u) {
            const int unit = static_cast<int>(u);
            if (std::find(m_touched.begin(), m_touched.end(), unit) == m_touched.end())
                m_touched.push_back(unit);
        }
    }

    struct Saved {
        std::size_t at;
        std::vector<char> bytes;
    };
    char* m_buf;
    Layout m_layout;
    std::vector<Saved> m_saved;
    std::vector<int> m_touched;
};

}  // namespace lt::fuzz

#define LT_FUZZ_CHECK(rule) ((rule) ? static_cast<void>(0) : ::lt::fuzz::fail(#rule, __FILE__, __LINE__))

#ifdef LINETINT_FUZZ_ENTRY
#define LT_FUZZ_ENTRY(body)                                                             \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        return body(data, size);                                                        \
    }
#else
#define LT_FUZZ_ENTRY(body)
#endif

/// Registers a harness body under its name and, in a fuzzing build, makes it
/// the program's entry point.
#define LT_FUZZ_TARGET(name, body)                                                                 \
    [[maybe_unused]] static const bool ltFuzzRegistered = ::lt::fuzz::registerHarness(name, body); \
    LT_FUZZ_ENTRY(body)
