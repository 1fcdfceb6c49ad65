// The LED module catalogue and the rules of the module and LCD windows.
#include "display/modules.h"

#include <cstring>
#include <gtest/gtest.h>
#include <memory>

namespace lt {
namespace {

TEST(ModuleCatalogue, TextsOfTheEntries) {
    const ModuleCatalogue c = buildModuleCatalogue(QLocale::c());
    ASSERT_EQ(c.ModuleCount, 5);
    EXPECT_STREQ(c.module(1).Name,
                 "Resolution   :64x32 [pix]\r\n"
                 "Dimension    :192x96 [mm]\r\n"
                 "Pitch        :3\r\n"
                 "HUB          :75\r\n"
                 "Scanline     :16\r\n"
                 "Serial nr    :Q3E6V4.1\r\n");
    EXPECT_EQ(c.cboxTexts(), (QStringList{QStringLiteral("PH3 64x32[pix] HUB75 Q3E6V4.1"),
                                          QStringLiteral("PH4 64x32[pix] HUB75 64x32,P4-64x32-16S"),
                                          QStringLiteral("PH6 32x32[pix] HUB75 Q6D6V2"),
                                          QStringLiteral("PH10 32x32[pix] HUB75 XY-B0982"),
                                          QStringLiteral("PH7.62 32x16[pix] HUB75 P7.62-3232-3528-8S-A1")}));
    const char* dims[] = {"192x96", "256x128", "192x192", "320x320", "244x122"};
    for (int k = 1; k <= 5; ++k)
        EXPECT_NE(std::strstr(c.module(k).Name,
                              (std::string("Dimension    :") + dims[k - 1] + " [mm]\r\n").c_str()),
                  nullptr)
            << k;
    EXPECT_NE(std::strstr(c.module(5).Name, "Pitch        :7.62\r\n"), nullptr);
    // Entries 6..30 stay all zero.
    auto zero = std::make_unique<sModule>();
    std::memset(zero.get(), 0, sizeof(sModule));
    for (int k = 6; k <= ModuleCapacity; ++k)
        EXPECT_EQ(std::memcmp(&c.Module[k - 1], zero.get(), sizeof(sModule)), 0);
}

TEST(ModuleCatalogue, PitchUsesTheLocaleSeparator) {
    const QLocale german(QLocale::German, QLocale::Germany);
    const ModuleCatalogue c = buildModuleCatalogue(german);
    EXPECT_STREQ(c.module(5).CBox, "PH7,62 32x16[pix] HUB75 P7.62-3232-3528-8S-A1");
    EXPECT_STREQ(c.module(4).CBox, "PH10 32x32[pix] HUB75 XY-B0982");
    EXPECT_EQ(pitchText(2.5, QLocale::c()), QStringLiteral("2.50"));
    EXPECT_EQ(pitchText(1000.5, QLocale::c()), QStringLiteral("1000.50"));
}

TEST(ModuleWindow, SelectionAndOk) {
    const ModuleCatalogue c = buildModuleCatalogue(QLocale::c());
    auto d = std::make_unique<sDane>();
    std::memset(d.get(), 0, sizeof(sDane));
    // A new project (ModuleNr 0) and a number beyond the catalogue select entry 1.
    for (int nr : {0, 6, 30, 255}) {
        d->ModuleNr = static_cast<std::uint8_t>(nr);
        EXPECT_EQ(moduleListPosition(*d, c), 0) << nr;
    }
    d->ModuleNr = 4;
    EXPECT_EQ(moduleListPosition(*d, c), 3);

    applyModuleChoice(*d, c, 0);
    EXPECT_EQ(d->ModuleNr, 1);
    EXPECT_EQ(d->ModuleType, 0);
    applyModuleChoice(*d, c, 4);
    EXPECT_EQ(d->ModuleNr, 5);
    EXPECT_EQ(d->ModuleType, 2);
    applyModuleChoice(*d, c, 3);
    EXPECT_EQ(d->ModuleNr, 4);
    EXPECT_EQ(d->ModuleType, 1);
    // No entry chosen (typed text) or a position outside: the stored module stays.
    for (int pos : {-1, 5, 29}) {
        applyModuleChoice(*d, c, pos);
        EXPECT_EQ(d->ModuleNr, 4);
        EXPECT_EQ(d->ModuleType, 1);
    }
}

TEST(LcdWindow, ContrastRules) {
    EXPECT_EQ(lcdTypeTexts(), (QStringList{QStringLiteral("STARGLOW1602A"), QStringLiteral("JHD162A"),
                                           QStringLiteral("1602GD1622Y"), QStringLiteral("12232GD1610Y")}));
    EXPECT_EQ(clampContrast(0), 1);
    EXPECT_EQ(clampContrast(-5), 1);
    EXPECT_EQ(clampContrast(17), 16);
    EXPECT_EQ(clampContrast(255), 16);
    EXPECT_EQ(clampContrast(9), 9);
    EXPECT_EQ(lcdDialogResult(0, false, 1), 0);
    EXPECT_EQ(lcdDialogResult(0, true, 1), 1);
}

}  // namespace
}  // namespace lt
