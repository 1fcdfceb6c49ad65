#include "depot/checks.h"
#include "editor/document.h"
#include "model/projectfile.h"
#include "tests/support/scripted_prompts.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace lt {
namespace {

using test::runCli;
using test::TempDir;

TEST(CliProject, NewWritesAProjectThatInfoDescribes) {
    TempDir dir;
    const QString path = dir.file(QStringLiteral("demo.vmprj"));
    const auto made = runCli({QStringLiteral("new"), QStringLiteral("-o"), path});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), 6841400);

    const auto info = runCli({QStringLiteral("info"), QStringLiteral("--json"), path});
    ASSERT_EQ(info.exitCode, 0) << info.err.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(info.out.toUtf8()).object();
    EXPECT_EQ(o[QStringLiteral("kind")].toString(), QStringLiteral("project"));
    EXPECT_EQ(o[QStringLiteral("name")].toString(), QStringLiteral("Display project"));
    EXPECT_EQ(o[QStringLiteral("version")].toInt(), 12545);
    EXPECT_EQ(o[QStringLiteral("ip")].toString(), QStringLiteral("192.168.10.50"));
    EXPECT_TRUE(o[QStringLiteral("mac")].toString().startsWith(QStringLiteral("00:3F:00:")));
    EXPECT_EQ(o[QStringLiteral("host")].toString(), QStringLiteral("KORVO"));
    const QJsonArray langs = o[QStringLiteral("languages")].toArray();
    ASSERT_EQ(langs.size(), 3);
    EXPECT_EQ(langs[0].toObject()[QStringLiteral("name")].toString(), QStringLiteral("English"));
    EXPECT_TRUE(langs[0].toObject()[QStringLiteral("use")].toBool());
    EXPECT_FALSE(langs[1].toObject()[QStringLiteral("use")].toBool());
    EXPECT_EQ(langs[2].toObject()[QStringLiteral("viewsInUse")].toInt(), 0);

    const auto text = runCli({QStringLiteral("info"), path});
    ASSERT_EQ(text.exitCode, 0);
    EXPECT_TRUE(text.out.contains(QStringLiteral("Display project")));
}

TEST(CliProject, BadInputFailsClearlyAndWritesNothing) {
    TempDir dir;
    const QString shortFile = dir.file(QStringLiteral("short.vmprj"));
    {
        QFile f(shortFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1000, 'x'));
    }
    QByteArray oldVersion(6841400, '\0');
    const QString oldFile = dir.file(QStringLiteral("old.vmprj"));
    {
        QFile f(oldFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(oldVersion);
    }
    struct Case {
        QStringList args;
        QString expect;  // part of the error text
    } cases[] = {
        {{QStringLiteral("info"), dir.file(QStringLiteral("missing.vmprj"))},
         QStringLiteral("cannot open %1: No such file").arg(dir.file(QStringLiteral("missing.vmprj")))},
        {{QStringLiteral("info"), shortFile}, QStringLiteral("not a project file")},
        {{QStringLiteral("info"), oldFile}, QStringLiteral("Mismatch project version!")},
        {{QStringLiteral("info")}, QStringLiteral("usage")},
        {{QStringLiteral("new")}, QStringLiteral("usage")},
        {{QStringLiteral("new"), QStringLiteral("-o")}, QStringLiteral("Missing value after")},
        {{QStringLiteral("new"), QStringLiteral("--bogus")}, QStringLiteral("unknown option")},
        {{QStringLiteral("frobnicate")}, QStringLiteral("unknown command")},
        // A write error names the file it could not write.
        {{QStringLiteral("new"), QStringLiteral("-o"), shortFile + QStringLiteral("/x.vmprj")},
         shortFile + QStringLiteral("/x.vmprj: ")},
        {{QStringLiteral("new"), QStringLiteral("-o"), dir.path()}, QStringLiteral("directory")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        const auto r = runCli(c.args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.startsWith(QStringLiteral("linetint-cli: "))) << r.err.toStdString();
        if (!c.expect.isEmpty()) {
            EXPECT_TRUE(r.err.contains(c.expect, Qt::CaseInsensitive)) << r.err.toStdString();
        }
    }
    EXPECT_EQ(QFileInfo(shortFile).size(), 1000);
}

TEST(CliProject, HelpIsThereForTheToolAndEachCommand) {
    const auto all = runCli({QStringLiteral("--help")});
    EXPECT_EQ(all.exitCode, 0);
    EXPECT_TRUE(all.out.contains(QStringLiteral("new")));
    EXPECT_TRUE(all.out.contains(QStringLiteral("info")));
    for (const char* cmd : {"new", "info"}) {
        const auto r = runCli({QLatin1String(cmd), QStringLiteral("--help")});
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Usage: linetint-cli ") + QLatin1String(cmd)));
    }
}

TEST(CliProject, MessagesAPlannerUnderstands) {
    // check --help explains every finding it can print.
    const auto help = runCli({QStringLiteral("check"), QStringLiteral("--help")});
    for (const QString& code : checkFindingCodes())
        EXPECT_TRUE(help.out.contains(QStringLiteral("  ") + code + QLatin1Char(' '))) << code.toStdString();

    // info shows a control character in a name instead of breaking the line.
    TempDir dir;
    Document doc;
    doc.newDane();
    StringToWideChar(QStringLiteral("Depot\rNorth\x01"), doc.dane().ProjName);
    const QString project = dir.file(QStringLiteral("depot.vmprj"));
    ASSERT_TRUE(doc.writeProject(project).isEmpty());
    const auto info = runCli({QStringLiteral("info"), project});
    EXPECT_TRUE(info.out.contains(QStringLiteral("Project:   Depot\\rNorth\\x01\n")))
        << info.out.toStdString();

    // A picture that cannot be written names its file.
    const QString blocked = project + QStringLiteral("/x.png");
    const auto render = runCli({QStringLiteral("render"), project, QStringLiteral("-o"), blocked});
    EXPECT_EQ(render.exitCode, 1);
    EXPECT_TRUE(render.err.startsWith(QStringLiteral("linetint-cli: ") + blocked + QStringLiteral(": ")))
        << render.err.toStdString();

    // An empty workbook is not a workbook; an empty list of routes is refused.
    test::putFile(dir.file(QStringLiteral("empty.xlsx")));
    const auto list = runCli({QStringLiteral("list-import"), project, dir.file(QStringLiteral("empty.xlsx")),
                              QStringLiteral("-o"), dir.file(QStringLiteral("out.vmprj"))});
    EXPECT_EQ(list.exitCode, 1);
    EXPECT_TRUE(list.err.contains(QStringLiteral("not a workbook"))) << list.err.toStdString();
    const auto routes = runCli({QStringLiteral("gtfs-import"), dir.path(), QStringLiteral("--routes"),
                                QString(), QStringLiteral("-o"), dir.file(QStringLiteral("out.vmprj"))});
    EXPECT_EQ(routes.exitCode, 1);
    EXPECT_TRUE(routes.err.contains(QStringLiteral("--routes takes one or more routes")))
        << routes.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(dir.file(QStringLiteral("out.vmprj"))));
}

}  // namespace
}  // namespace lt
