// The command line read as Qt tools read it, and the printed sheet as a PDF
// with real text.
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

TEST(CliOptions, ValuesGoWithEqualsOrSpaceAndOptionsEndAtDoubleDash) {
    TempDir dir;
    for (const QStringList& form :
         {QStringList{QStringLiteral("-o"), dir.file(QStringLiteral("a.vmprj"))},
          QStringList{QStringLiteral("-o") + dir.file(QStringLiteral("b.vmprj"))},
          QStringList{QStringLiteral("-o=") + dir.file(QStringLiteral("c.vmprj"))}}) {
        const auto r = runCli(QStringList{QStringLiteral("new")} + form);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    }
    for (const char* name : {"a.vmprj", "b.vmprj", "c.vmprj"})
        EXPECT_EQ(QFileInfo(dir.file(QLatin1String(name))).size(), ProjectFileSize) << name;

    const QString project = dir.file(QStringLiteral("a.vmprj"));
    // --lang=2 reads as --lang 2: the language is out of use either way.
    for (const QStringList& lang : {QStringList{QStringLiteral("--lang=2")},
                                    QStringList{QStringLiteral("--lang"), QStringLiteral("2")}}) {
        const auto r = runCli(QStringList{QStringLiteral("print"), project} + lang +
                              QStringList{QStringLiteral("-o"), dir.file(QStringLiteral("s.pdf"))});
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(QStringLiteral("display language 2 is not in use")))
            << r.err.toStdString();
    }
    // After "--" a name that starts with a dash is a file.
    const auto dashed = runCli({QStringLiteral("info"), QStringLiteral("--"), QStringLiteral("-odd.vmprj")});
    EXPECT_EQ(dashed.exitCode, 1);
    EXPECT_TRUE(dashed.err.contains(QStringLiteral("-odd.vmprj: No such file"))) << dashed.err.toStdString();
}

TEST(CliOptions, HelpVersionAndUnknownOptionsAsOnQtTools) {
    struct Case {
        QStringList args;
        int exitCode;
        QString out;  // start of stdout
        QString err;  // part of stderr
    } cases[] = {
        {{QStringLiteral("--version")}, 0, QStringLiteral("linetint-cli 1.03\n"), QString()},
        {{QStringLiteral("-v")}, 0, QStringLiteral("linetint-cli 1.03\n"), QString()},
        {{QStringLiteral("-h")}, 0, QStringLiteral("Usage: linetint-cli"), QString()},
        {{QStringLiteral("--help")}, 0, QStringLiteral("Usage: linetint-cli"), QString()},
        {{QStringLiteral("help")}, 0, QStringLiteral("Usage: linetint-cli"), QString()},
        {{QStringLiteral("info"), QStringLiteral("-h")},
         0,
         QStringLiteral("Usage: linetint-cli info"),
         QString()},
        {{QStringLiteral("--frobnicate")}, 1, QString(), QStringLiteral("Unknown option 'frobnicate'")},
        {{QStringLiteral("new"), QStringLiteral("--frobnicate")},
         1,
         QString(),
         QStringLiteral("Unknown option 'frobnicate'")},
        {{QStringLiteral("new"), QStringLiteral("--json")},
         1,
         QString(),
         QStringLiteral("Unknown option 'json'")},
        {{QStringLiteral("print"), QStringLiteral("--lang")},
         1,
         QString(),
         QStringLiteral("Missing value after '--lang'")},
        {{}, 1, QString(), QStringLiteral("Usage: linetint-cli")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = runCli(c.args);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.out.startsWith(c.out)) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
    }
}

TEST(CliOptions, PrintedSheetIsSmallVectorTextOnSixPages) {
    TempDir dir;
    const QString project = dir.file(QStringLiteral("p.vmprj"));
    const QString pdf = dir.file(QStringLiteral("sheet.pdf"));
    ASSERT_EQ(runCli({QStringLiteral("new"), QStringLiteral("-o"), project}).exitCode, 0);
    const auto r = runCli({QStringLiteral("print"), project, QStringLiteral("-o"), pdf});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    // Page pictures made it megabytes; text and bars take a few dozen KB.
    EXPECT_LT(bytes.size(), 200 * 1024);
    EXPECT_EQ(QString::fromLatin1(bytes).count(QRegularExpression(QStringLiteral("/Type /Page\\b(?!s)"))), 6);
    EXPECT_TRUE(bytes.contains("/FontFile2"));  // embedded outline font: the texts are text
    EXPECT_TRUE(bytes.contains("/ToUnicode"));  // and can be searched and copied
    EXPECT_FALSE(bytes.contains("/Subtype /Image"));
}

}  // namespace
}  // namespace lt
