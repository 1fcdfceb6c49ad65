#include "cli/project_info.h"

#include "cli/command.h"
#include "depot/flashinfo.h"
#include "editor/document.h"
#include "model/projectfile.h"

#include <QFileInfo>
#include <QJsonArray>

#include <vector>

namespace lt::cli {

static std::vector<InfoFormatter*>& formatters() {
    static std::vector<InfoFormatter*> list;
    return list;
}

void registerInfoFormatter(InfoFormatter* f) { formatters().push_back(f); }

InfoFormatter* infoFormatterFor(const QString& path) {
    const qint64 size = QFileInfo(path).size();
    for (InfoFormatter* f : formatters())
        if (f->accepts(size)) return f;
    return nullptr;
}

namespace {

QString bytesText(const std::uint8_t* b, int n, const char* sep, int base) {
    QStringList parts;
    for (int i = 0; i < n; ++i)
        parts << (base == 16 ? QStringLiteral("%1").arg(b[i], 2, 16, QLatin1Char('0')).toUpper() : QString::number(b[i]));
    return parts.join(QLatin1String(sep));
}

class ProjectInfo : public InfoFormatter {
public:
    bool accepts(qint64 size) const override { return size == ProjectFileSize; }

    bool describe(const QString& path, QJsonObject& info, QString& error) const override {
        ProjectRead read = readProjectFile(path);
        if (read.status != ProjectRead::Ok) {
            error = projectError(path, read.error);
            return false;
        }
        const sDane& d = *read.data;
        info[QStringLiteral("kind")] = QStringLiteral("project");
        info[QStringLiteral("name")] = ReadText(d.ProjName);
        info[QStringLiteral("version")] = d.Version;
        QJsonArray langs;
        for (int l = 1; l <= LanguageCount; ++l) {
            int inUse = 0;
            for (int v = 1; v <= ViewCount; ++v) inUse += isTrue(widok(d, l, v).use) ? 1 : 0;
            QJsonObject lang;
            lang[QStringLiteral("number")] = l;
            lang[QStringLiteral("name")] = ReadText(d.Lang[l - 1].Nazwa);
            lang[QStringLiteral("use")] = isTrue(d.Lang[l - 1].Use);
            lang[QStringLiteral("viewsInUse")] = inUse;
            langs.append(lang);
        }
        info[QStringLiteral("languages")] = langs;
        info[QStringLiteral("ip")] = bytesText(d.IP, 4, ".", 10);
        info[QStringLiteral("mac")] = bytesText(d.MAC, 6, ":", 16);
        int n = 0;
        while (n < 24 && d.host[n] != 0) ++n;
        info[QStringLiteral("host")] = QString::fromLatin1(reinterpret_cast<const char*>(d.host), n);
        info[QStringLiteral("moduleNr")] = d.ModuleNr;
        info[QStringLiteral("moduleType")] = d.ModuleType;
        info[QStringLiteral("lcdLevel")] = d.LCDLevel;
        info[QStringLiteral("lcdType")] = d.LCDType;
        return true;
    }

    QString text(const QJsonObject& info) const override {
        QString t;
        t += QStringLiteral("Project:   %1\n").arg(escapeControls(info[QStringLiteral("name")].toString()));
        t += QStringLiteral("Version:   %1\n").arg(info[QStringLiteral("version")].toInt());
        for (const auto& v : info[QStringLiteral("languages")].toArray()) {
            const QJsonObject l = v.toObject();
            t += QStringLiteral("Language %1: %2 (%3), %4 views in use\n")
                     .arg(l[QStringLiteral("number")].toInt())
                     .arg(escapeControls(l[QStringLiteral("name")].toString()),
                          l[QStringLiteral("use")].toBool() ? QStringLiteral("in use")
                                                            : QStringLiteral("not in use"))
                     .arg(l[QStringLiteral("viewsInUse")].toInt());
        }
        t += QStringLiteral("IP:        %1\n").arg(info[QStringLiteral("ip")].toString());
        t += QStringLiteral("MAC:       %1\n").arg(info[QStringLiteral("mac")].toString());
        t += QStringLiteral("Host:      %1\n").arg(escapeControls(info[QStringLiteral("host")].toString()));
        t += QStringLiteral("Module:    %1 (type %2)\n")
                 .arg(info[QStringLiteral("moduleNr")].toInt())
                 .arg(info[QStringLiteral("moduleType")].toInt());
        t += QStringLiteral("LCD:       level %1, type %2\n")
                 .arg(info[QStringLiteral("lcdLevel")].toInt())
                 .arg(info[QStringLiteral("lcdType")].toInt());
        return t;
    }
};

ProjectInfo projectInfo;
const bool projectInfoRegistered = (registerInfoFormatter(&projectInfo), true);

}  // namespace
}  // namespace lt::cli
