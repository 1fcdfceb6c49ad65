// The language-file reader: encodings, line syntax, decoding, loading errors,
// and damaged input.
#include "i18n/langfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>

#include <gtest/gtest.h>
#include <random>

namespace lt::i18n {
namespace {

TranslationSet parseOk(const QString& text) {
    TranslationSet set;
    QString error;
    EXPECT_TRUE(parseTranslations(text, set, &error)) << error.toStdString();
    return set;
}

QString parseError(const QString& text) {
    TranslationSet set;
    QString error;
    EXPECT_FALSE(parseTranslations(text, set, &error));
    return error;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray utf16(const QString& s, bool bigEndian) {
    QByteArray out;
    for (QChar c : s) {
        const char hi = static_cast<char>(c.unicode() >> 8), lo = static_cast<char>(c.unicode() & 0xFF);
        out.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
    }
    return out;
}

TEST(LangFile, DecodingOfTexts) {
    const struct {
        const char* in;
        QString out;
    } cases[] = {
        {R"(a\\b)", QStringLiteral("a\\b")},
        {R"(two\nlines)", QStringLiteral("two\r\nlines")},
        {R"(a\tb)", QStringLiteral("a\tb")},
        {R"(\13\10)", QStringLiteral("\r\n")},
        {R"(\65)", QStringLiteral("A")},
        {R"(\065)", QString(QChar(6)) + QLatin1Char('5')},  // two digits exactly
        {R"(\00x)", QString(QChar(0)) + QLatin1Char('x')},
        {R"(C:\x\y)", QStringLiteral("C:\\x\\y")},  // other backslashes stay
        {R"(\1a)", QStringLiteral("\\1a")},
        {R"(end\)", QStringLiteral("end\\")},
        {R"(\\n)", QStringLiteral("\\n")},
        {R"(\N\T)", QStringLiteral("\\N\\T")},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeLangValue(QString::fromUtf8(c.in)), c.out) << c.in;
}

TEST(LangFile, WrittenFormDecodesBackAndSurvivesTrimming) {
    const QString texts[] = {
        QStringLiteral("plain"),          QStringLiteral("C:\\new\\table"),
        QStringLiteral("a\r\nb\tc"),      QStringLiteral("  padded  "),
        QStringLiteral("lone\nfeed\rcr"), QString(QChar(1)) + QStringLiteral("x"),
        QStringLiteral("Zażółć gęślą"),   QStringLiteral("trailing\\"),
    };
    for (const QString& t : texts) {
        const QString written = encodeLangValue(t);
        const TranslationSet set = parseOk(QStringLiteral("[W]\n00000005=") + written + QStringLiteral("\n"));
        ASSERT_NE(set.window(QStringLiteral("W")), nullptr);
        EXPECT_EQ(set.window(QStringLiteral("W"))->at(5), t) << written.toStdString();
    }
}

TEST(LangFile, LineSyntax) {
    const TranslationSet set =
        parseOk(QStringLiteral("; a comment\n"
                               "  LangID = $415  \n"
                               "Author=Someone\n"
                               "no equals sign here\n"
                               "=no name\n"
                               "[x\n"
                               "[]\n"
                               "\t[ MainForm ]\t\n"
                               "2 = a=b\n"
                               "00000003=three\r\n"
                               "0=zero\n"
                               "-4=negative\n"
                               "seven=not a number\n"
                               "   ; indented comment\n"
                               "\x01\x02 5=controls trimmed\x7f\x00\n"
                               "[FormAutor]\r"
                               "1=About\r"
                               "[$constants]\n"
                               "SomeText=Hello\\nWorld\n"
                               "[mainform]\n"
                               "6=again\n"));
    EXPECT_EQ(set.param(QStringLiteral("LANGID")), QStringLiteral("$415"));
    EXPECT_EQ(set.param(QStringLiteral("author")), QStringLiteral("Someone"));
    EXPECT_EQ(set.params.size(), 2);
    const WindowTexts* main = set.window(QStringLiteral("MAINFORM"));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(*main, (WindowTexts{{2, QStringLiteral("a=b")},
                                  {3, QStringLiteral("three")},
                                  {5, QStringLiteral("controls trimmed\x7f")},
                                  {6, QStringLiteral("again")}}));
    ASSERT_NE(set.window(QStringLiteral("FormAutor")), nullptr);
    EXPECT_EQ(set.window(QStringLiteral("formautor"))->at(1), QStringLiteral("About"));
    EXPECT_EQ(set.window(QStringLiteral("x")), nullptr);
    ASSERT_EQ(set.constants.size(), 1);
    EXPECT_EQ(set.constants[0].second, QStringLiteral("Hello\r\nWorld"));
}

TEST(LangFile, IntegerConversion) {
    int v = 0;
    EXPECT_TRUE(langStrToInt(u"1045", &v));
    EXPECT_EQ(v, 1045);
    EXPECT_TRUE(langStrToInt(u"$0415", &v));
    EXPECT_EQ(v, 1045);
    EXPECT_TRUE(langStrToInt(u"0x407", &v));
    EXPECT_EQ(v, 1031);
    EXPECT_TRUE(langStrToInt(u"00000002", &v));
    EXPECT_EQ(v, 2);
    EXPECT_TRUE(langStrToInt(u"-12", &v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(langStrToInt(u"2147483647", &v));
    EXPECT_TRUE(langStrToInt(u"$FFFFFFFF", &v));
    EXPECT_EQ(v, -1);
    for (const char16_t* bad : {u"", u"$", u"12a", u"1 2", u"2147483648", u"$100000000", u"+", u"0x", u"1.0"})
        EXPECT_FALSE(langStrToInt(bad, &v)) << QString::fromUtf16(bad).toStdString();
}

TEST(LangFile, LoadingErrorsNameTheirLine) {
    EXPECT_EQ(
        parseError(QStringLiteral("LANGID=1045\n[MainForm]\n2=a\n; note\n00000002=b\n")),
        QStringLiteral("Loading translations failed.\nLine 4: Duplicate property value translation ID (2)"));
    EXPECT_EQ(parseError(QStringLiteral("[$CONSTANTS]\nGood_1=x\n1Bad=y\n")),
              QStringLiteral("Loading translations failed.\nLine 2: Invalid constant name (\"1Bad\")"));
    EXPECT_EQ(parseError(QStringLiteral("[$Constants]\r\nsame=x\r\n\r\nSAME=y\r\n")),
              QStringLiteral("Loading translations failed.\nLine 3: Duplicate constant name (\"SAME\")"));
    EXPECT_EQ(parseError(QStringLiteral("[$CONSTANTS]\nwith space=x\n")),
              QStringLiteral("Loading translations failed.\nLine 1: Invalid constant name (\"with space\")"));
    // The same entry number in two windows, or in parameters, is no repetition.
    parseOk(QStringLiteral("2=x\n2=y\n[MainForm]\n2=a\n[FormPrint]\n2=b\n"));
}

TEST(LangFile, EncodingsByByteOrderMark) {
    const QString text = QStringLiteral("LANGID=1036\n[MainForm]\n1=Caf\u00e9 \u20ac\n");
    QByteArray cp1252 = "LANGID=1036\n[MainForm]\n1=Caf\xe9 \x80\n";
    const QByteArray forms[] = {
        QByteArray("\xEF\xBB\xBF") + text.toUtf8(),
        QByteArray("\xFF\xFE") + utf16(text, false),
        QByteArray("\xFE\xFF") + utf16(text, true),
        cp1252,
    };
    test::TempDir dir;
    for (const QByteArray& bytes : forms) {
        const QString path = dir.file(QStringLiteral("f.lng"));
        writeBytes(path, bytes);
        TranslationSet set;
        QString error;
        ASSERT_TRUE(loadTranslationFile(path, set, &error)) << error.toStdString();
        ASSERT_NE(set.window(QStringLiteral("MainForm")), nullptr);
        EXPECT_EQ(set.window(QStringLiteral("MainForm"))->at(1), QStringLiteral("Caf\u00e9 \u20ac"));
        EXPECT_EQ(readLangFileId(path), 1036);
    }
}

TEST(LangFile, ParametersEndAtTheFirstSection) {
    test::TempDir dir;
    const struct {
        const char* text;
        int id;
    } cases[] = {
        {"LANGID=1045\n[MainForm]\n", 1045},
        {"langid=$407\n", 1031},
        {"[MainForm]\nLANGID=1045\n", 0},
        {"[x\nLANGID=1045\n", 0},  // any line starting with "[" ends the parameters
        {"LANGID=\n", 0},
        {"LANGID=Polish\n", 0},
        {"LANGID=0\n", 0},
        {"Author=x\n", 0},
        {"LANGID=1045\nLANGID=1031\n", 1045},
        {"", 0},
    };
    for (const auto& c : cases) {
        writeBytes(dir.file(QStringLiteral("p.lng")), c.text);
        EXPECT_EQ(readLangFileId(dir.file(QStringLiteral("p.lng"))), c.id) << c.text;
    }
    EXPECT_EQ(readLangFileId(dir.file(QStringLiteral("missing.lng"))), 0);
}

TEST(LangFile, ReadsAFileOfTheLargestSizeWhole) {
    test::TempDir dir;
    const QString path = dir.file(QStringLiteral("largest.lng"));
    QByteArray bytes = "LANGID=1045\n[MainForm]\n";
    const QByteArray last = "\n00000002=Widoki\n";
    bytes.append(QByteArray(MaxLangFileSize - bytes.size() - last.size(), ' '));
    bytes.append(last);
    ASSERT_EQ(bytes.size(), MaxLangFileSize);
    writeBytes(path, bytes);
    TranslationSet set;
    QString error;
    ASSERT_TRUE(loadTranslationFile(path, set, &error)) << error.toStdString();
    ASSERT_NE(set.window(QStringLiteral("MainForm")), nullptr);
    EXPECT_EQ(set.window(QStringLiteral("MainForm"))->at(2), QStringLiteral("Widoki"));
    EXPECT_EQ(readLangFileId(path), 1045);
}

TEST(LangFile, RefusesFilesTooLargeOrUnreadable) {
    test::TempDir dir;
    const QString big = dir.file(QStringLiteral("big.lng"));
    QByteArray bytes = "LANGID=1045\n";
    bytes.append(QByteArray(MaxLangFileSize, ' '));
    writeBytes(big, bytes);
    TranslationSet set;
    QString error;
    EXPECT_FALSE(loadTranslationFile(big, set, &error));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Loading translations failed.\n"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("larger than 4 MiB"))) << error.toStdString();
    EXPECT_EQ(readLangFileId(big), 0);

    error.clear();
    EXPECT_FALSE(loadTranslationFile(dir.path(), set, &error));  // a folder
    EXPECT_TRUE(error.startsWith(QStringLiteral("Loading translations failed.\n"))) << error.toStdString();
    EXPECT_FALSE(loadTranslationFile(dir.file(QStringLiteral("gone.lng")), set, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("gone.lng"))) << error.toStdString();
}

TEST(LangFile, DamagedInputNeverBreaksTheReader) {
    test::TempDir dir;
    QByteArray longLine = "LANGID=1045\n[MainForm]\n2=";
    longLine.append(QByteArray(3 * 1024 * 1024, 'x'));
    QList<QByteArray> inputs = {
        QByteArray("\xFF\xFE") + utf16(QStringLiteral("LANGID=1045\n[MainForm]\n2=ab"), false).chopped(1),
        QByteArray("\xFE\xFF\x00"),
        QByteArray("\xFF\xFE"),
        QByteArray("\xEF\xBB\xBF\xC3"),
        QByteArray("LANGID=1045\0\0\n[Main\0Form]\n2=\0x\n", 32),
        QByteArray("["),
        QByteArray("="),
        QByteArray("[\n=\n]\n[=]\n==\n\\\n"),
        QByteArray("LANGID=1045\n[MainForm]\n2=\\"),
        QByteArray("\r\r\r\n\n\r"),
        longLine,
        QByteArray(200000, '\n'),
        QByteArray(100000, '['),
    };
    std::mt19937 gen(1234);
    const QByteArray seed = "\xEF\xBB\xBFLANGID=1045\n[MainForm]\n00000002=a\\nb\n[$CONSTANTS]\nx=1\n";
    for (int i = 0; i < 400; ++i) {
        QByteArray b = seed;
        for (int k = 0; k < 6; ++k) b[gen() % b.size()] = static_cast<char>(gen() & 0xFF);
        inputs.append(b.left(static_cast<int>(gen() % (b.size() + 1))));
    }
    for (const QByteArray& in : inputs) {
        const QString path = dir.file(QStringLiteral("d.lng"));
        writeBytes(path, in);
        TranslationSet set;
        QString error;
        const bool ok = loadTranslationFile(path, set, &error);
        EXPECT_TRUE(ok || error.startsWith(QStringLiteral("Loading translations failed.")));
        readLangFileId(path);
    }
    writeBytes(dir.file(QStringLiteral("l.lng")), longLine);
    TranslationSet set;
    ASSERT_TRUE(loadTranslationFile(dir.file(QStringLiteral("l.lng")), set, nullptr));
    EXPECT_EQ(set.window(QStringLiteral("MainForm"))->at(2).size(), 3 * 1024 * 1024);
}

TEST(LangFile, StringListsSplitAtLineBreaks) {
    EXPECT_EQ(splitLangLines(QStringLiteral("a\r\nb\nc\rd")), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLangLines(QStringLiteral("a\r\n\r\nb\r\n")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(splitLangLines(QString()), QStringList());
}

}  // namespace
}  // namespace lt::i18n
