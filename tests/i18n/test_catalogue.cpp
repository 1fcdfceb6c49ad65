// Texts built from words and numbers, put into the interface language whole.
#include "depot/legibility.h"
#include "i18n/langmanager.h"
#include "i18n/textcatalogue.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <gtest/gtest.h>

namespace lt::i18n {
namespace {

constexpr CatalogueText kTexts[] = {
    {1, "%1 regions fitted in %2 views:"},
    {2, "the font %1 is not installed"},
    {3, "size %1 -> %2"},
    {4, "face %1 -> %2"},
    {5, "kept %1/%2: %3"},
    {6, "top"},
    {7, "%1, %2"},
    {8, "none\nin left"},
    {9, "%1/%2 %3: %4"},
};

TEST(TextCatalogue, WordsAndNumbersMoveIntoTheTranslation) {
    test::TempDir dir;
    const QString file = dir.file(QStringLiteral("pl.lng"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "\xEF\xBB\xBFLANGID=1045\n[Test]\n1=W widokach %2 dopasowano obszary: %1:\n"
            "2=brak czcionki %1\n3=rozmiar %1 -> %2\n4=kr\xC3\xB3j %1 -> %2\n5=zachowany %1/%2: %3\n"
            "6=g\xC3\xB3rny\n7=%1, %2\n8=brak\\nwjazd z lewej\n9=%1/%2 %3: %4\n");
    }
    LangManager().Reset();
    ASSERT_TRUE(LangManager().RegisterLangFile(file));
    TextCatalogue catalogue(QStringLiteral("Test"), kTexts);
    const QString fitted = QStringLiteral("3 regions fitted in 2 views:");
    EXPECT_EQ(catalogue.translate(fitted), fitted);  // the default language: as written

    ASSERT_EQ(LangManager().SetLanguageID(1045), QString());
    EXPECT_EQ(catalogue.translate(fitted), QStringLiteral("W widokach 2 dopasowano obszary: 3:"));
    // A quoted word is the project's own, even when it is a catalogue text.
    EXPECT_EQ(catalogue.translate(QStringLiteral("the font \"top\" is not installed")),
              QStringLiteral("brak czcionki \"top\""));
    // Changes joined by commas are translated one by one; a name with a comma
    // that is no list of catalogue texts stays whole.
    EXPECT_EQ(catalogue.translate(QStringLiteral("1/5 top: face A, B -> C, size 9 -> 8")).toStdString(),
              "1/5 górny: krój A, B -> C, rozmiar 9 -> 8");
    EXPECT_EQ(catalogue.translate(QStringLiteral("kept 1/5: Rynek, top")),
              QStringLiteral("zachowany 1/5: Rynek, top"));
    EXPECT_EQ(catalogue.translate(QStringLiteral("in left")), QStringLiteral("wjazd z lewej"));
    EXPECT_EQ(catalogue.translateLines(fitted + QStringLiteral("\ntop\nZoo")),
              QStringLiteral("W widokach 2 dopasowano obszary: 3:\ngórny\nZoo"));
    EXPECT_EQ(catalogue.translate(QStringLiteral("Zoo")), QStringLiteral("Zoo"));

    ASSERT_EQ(LangManager().SetLanguageID(1033), QString());
    EXPECT_EQ(catalogue.translate(QStringLiteral("top")), QStringLiteral("top"));
    LangManager().Reset();
}

TEST(TextCatalogue, FindingTextsAreTheChecksOwn) {
    // Entry 8 of the check window lists the legibility whys in their order.
    for (const CatalogueText& t : findingCatalogue()) {
        if (t.id == 8) {
            EXPECT_EQ(QString::fromUtf8(t.english), legibilityWhyTexts().join(QLatin1Char('\n')));
        }
    }
}

}  // namespace
}  // namespace lt::i18n
