// Writes the two data blocks built into the program:
//
//  firmware.bin (196,608 bytes): the default controller block that a new
//  project carries. The editor never looks inside it. It is an erased flash
//  (every byte 0xFF) headed by a short identification record, so a sign that
//  is programmed with it keeps its own controller program.
//
//  fonts.bin (393,288 bytes): the character block. It begins with 256 one-byte
//  glyph widths (all 8), followed by 256 glyphs of 8 x 8 pixels at one byte per
//  row; each glyph is a frame that shows the character code as two rows of
//  bits, the rest of the block is zero. No operation of the editor reads it.
#include <array>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

bool writeFile(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

std::vector<unsigned char> firmwareBlock() {
    std::vector<unsigned char> fw(196608, 0xFF);
    const char header[] = "VLT-CTRL\x01\x00 Velmora Line Tint default controller block (erased)";
    std::memcpy(fw.data(), header, sizeof header);
    return fw;
}

std::vector<unsigned char> fontBlock() {
    std::vector<unsigned char> fonts(393288, 0);
    for (int c = 0; c < 256; ++c) fonts[static_cast<std::size_t>(c)] = 8;
    for (int c = 0; c < 256; ++c) {
        unsigned char* g = fonts.data() + 256 + c * 8;
        g[0] = 0xFF;
        g[7] = 0xFF;
        for (int r = 1; r < 7; ++r) g[r] = 0x81;
        g[2] = static_cast<unsigned char>(0x81 | ((c >> 4) << 2));
        g[5] = static_cast<unsigned char>(0x81 | ((c & 0x0F) << 2));
    }
    return fonts;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: linetint-blocks OUTPUT_DIR\n");
        return 1;
    }
    const std::string dir = argv[1];
    if (!writeFile(dir + "/firmware.bin", firmwareBlock()) || !writeFile(dir + "/fonts.bin", fontBlock())) {
        std::perror("linetint-blocks");
        return 1;
    }
    return 0;
}
