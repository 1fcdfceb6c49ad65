// The patches the harnesses lay over their defaults: records land where their
// addresses say, the units they touch are named, and the buffer is put back
// byte for byte however the records overlap, so no input leaks into the next.

#include "fuzz/harness.h"

#include <gtest/gtest.h>
#include <numeric>
#include <vector>

namespace lt::fuzz {
namespace {

// 100 bytes: a 10-byte head, then 6 units of 15 bytes.
constexpr Patch::Layout Small = {100, 10, 15, 6};

std::vector<std::uint8_t> record(std::uint32_t addr, const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> r;
    for (int shift = 0; shift < 32; shift += 8) r.push_back(static_cast<std::uint8_t>(addr >> shift));
    r.push_back(static_cast<std::uint8_t>(bytes.size()));
    for (const std::uint8_t b : bytes) r.push_back(b);
    return r;
}

std::uint32_t unitAddress(int unit, int offset) {
    return 0x80000000u | std::uint32_t(unit) << 16 | offset;
}

TEST(FuzzPatch, RecordsLandWhereTheirAddressesSayAndAreUndone) {
    std::vector<char> buffer(100);
    std::iota(buffer.begin(), buffer.end(), char(0));
    const std::vector<char> original = buffer;

    struct Case {
        const char* name;
        std::vector<std::uint8_t> input;
        std::vector<std::pair<std::size_t, char>> expect;  // offset, byte
        std::vector<int> touched;
    };
    auto join = [](std::vector<std::uint8_t> a, const std::vector<std::uint8_t>& b) {
        for (const std::uint8_t x : b) a.push_back(x);
        return a;
    };
    const std::vector<Case> cases = {
        {"head", record(3, {0x55}), {{3, 0x55}}, {}},
        {"offset wraps", record(103, {0x55}), {{3, 0x55}}, {}},
        {"unit and offset", record(unitAddress(2, 1), {0x66}), {{10 + 30 + 1, 0x66}}, {2}},
        {"unit wraps", record(unitAddress(8, 16), {0x66}), {{10 + 30 + 1, 0x66}}, {2}},
        {"across units", record(24, {1, 2, 3}), {{24, 1}, {25, 2}, {26, 3}}, {0, 1}},
        {"cut at the end", record(98, {7, 8, 9}), {{98, 7}, {99, 8}}, {5}},
        {"overlapping", join(record(50, {1, 1, 1}), record(51, {2})), {{50, 1}, {51, 2}, {52, 1}}, {2}},
        {"short length", {50, 0, 0, 0, 200, 9}, {{50, 9}}, {2}},
        {"too short for a record", {50, 0, 0, 0}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        {
            Patch patch(buffer.data(), Small);
            EXPECT_EQ(patch.apply(c.input.data(), c.input.size(), 16),
                      c.input.size() < 5 ? 0u : c.input.size());
            for (const auto& [at, byte] : c.expect) EXPECT_EQ(buffer[at], byte) << at;
            EXPECT_EQ(patch.touched(), c.touched);
            patch.keep(0, 100);
            buffer.assign(100, 'x');  // the code under test writing over all of it
        }
        EXPECT_EQ(buffer, original);
    }
}

TEST(FuzzPatch, RecordsBeyondTheLimitAreLeftOut) {
    std::vector<char> buffer(100, 0);
    std::vector<std::uint8_t> input;
    for (std::uint32_t i = 0; i < 5; ++i) {
        for (const std::uint8_t x : record(i, {1})) input.push_back(x);
    }
    Patch patch(buffer.data(), Small);
    EXPECT_EQ(patch.apply(input.data(), input.size(), 3), 18u);
    EXPECT_EQ(std::vector<char>(buffer.begin(), buffer.begin() + 5), (std::vector<char>{1, 1, 1, 0, 0}));
}

}  // namespace
}  // namespace lt::fuzz
