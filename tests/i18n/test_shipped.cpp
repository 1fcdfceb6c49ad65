// The language files shipped beside the program.
#include "i18n/langfile.h"
#include "i18n/langmanager.h"
#include "i18n/windowtexts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <set>

namespace lt::i18n {
namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Shipped {
    const char* file;
    int langId;
    QByteArray mark;  // the byte-order mark it is written with
};

const Shipped kShipped[] = {
    {"polski.lng", 1045, QByteArray("\xEF\xBB\xBF")},
    {"deutsch.lng", 1031, QByteArray("\xFF\xFE")},
};

TEST(ShippedFiles, LoadAndTranslateEveryEntry) {
    const QString dir = QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang");
    EXPECT_EQ(QDir(dir).entryList({"*.lng"}, QDir::Files).size(),
              static_cast<qsizetype>(std::size(kShipped)));
    const QRegularExpression filter(QStringLiteral(R"(^[^|()]+ \(\*\.[a-z]+\)\|\*\.[a-z]+$)"));
    const QRegularExpression ext(QStringLiteral(R"(^\*\.[a-z]+$)"));
    for (const Shipped& s : kShipped) {
        SCOPED_TRACE(s.file);
        const QString path = dir + QLatin1Char('/') + QLatin1String(s.file);
        EXPECT_TRUE(readAll(path).startsWith(s.mark));
        EXPECT_EQ(readLangFileId(path), s.langId);
        TranslationSet set;
        QString error;
        ASSERT_TRUE(loadTranslationFile(path, set, &error)) << error.toStdString();
        EXPECT_TRUE(set.constants.isEmpty());
        EXPECT_EQ(set.windows.size(), translatableWindows().size());
        for (const QString& w : translatableWindows()) {
            const WindowTexts* texts = set.window(w);
            ASSERT_NE(texts, nullptr) << w.toStdString();
            std::set<int> expected, found;
            for (const TextEntry& e : textEntriesFor(w)) expected.insert(e.id);
            for (const auto& [id, text] : *texts) found.insert(id);
            EXPECT_EQ(found, expected) << w.toStdString();
            for (const TextEntry& e : textEntriesFor(w)) {
                const auto it = texts->find(e.id);
                if (it == texts->end()) continue;
                const QString prop = QLatin1String(e.property);
                const QString path2 = QLatin1String(e.path);
                const QString& t = it->second;
                if (prop == QLatin1String("Filter")) {
                    EXPECT_TRUE(filter.match(t).hasMatch()) << t.toStdString();
                }
                if (prop == QLatin1String("DefaultExt")) {
                    EXPECT_TRUE(ext.match(t).hasMatch()) << t.toStdString();
                }
                // The lists keep one entry per movement and per style code.
                if (path2.startsWith(QLatin1String("cbRuch")) && prop == QLatin1String("Items")) {
                    EXPECT_EQ(splitLangLines(t).size(), 7) << e.path;
                }
                if (path2.startsWith(QLatin1String("cbFontStyle")) && prop == QLatin1String("Items")) {
                    EXPECT_EQ(splitLangLines(t).size(), 5) << e.path;
                }
                // Texts the operator sees are never left empty; edit boxes start empty.
                const bool mayBeEmpty = prop == QLatin1String("Text") || prop == QLatin1String("FileName");
                if (!mayBeEmpty) {
                    EXPECT_FALSE(t.isEmpty()) << e.path << "." << e.property;
                }
            }
        }
    }
}

TEST(ShippedFiles, LieBesideTheProgramAndAreListed) {
    const QString dir = QStringLiteral(LINETINT_BINARY_DIR);
    for (const Shipped& s : kShipped)
        EXPECT_EQ(readAll(dir + QLatin1Char('/') + QLatin1String(s.file)),
                  readAll(QStringLiteral(LINETINT_SOURCE_DIR "/resources/lang/") + QLatin1String(s.file)))
            << s.file;
    TDKLanguageManager manager;
    EXPECT_EQ(manager.ScanForLangFiles(dir, QStringLiteral("*.lng"), false), 2);
    ASSERT_EQ(manager.GetLanguageCount(), 3);
    QStringList names;
    for (int i = 0; i < manager.GetLanguageCount(); ++i) names << manager.GetLanguageNames(i);
    names.sort();
    EXPECT_EQ(names, (QStringList{"English (United States)", "German (Germany)", "Polish (Poland)"}));
}

}  // namespace
}  // namespace lt::i18n
