// `linetint-cli info` for pendrive files: the header, the languages and the
// screens in use.
#include "cli/project_info.h"
#include "depot/flashinfo.h"
#include "depot/pendrivefile.h"
#include "display/flashfile.h"

#include <memory>

namespace lt::cli {
namespace {

class PendriveInfo : public InfoFormatter {
public:
    bool accepts(qint64 size) const override { return size == FlashSize; }

    bool describe(const QString& path, QJsonObject& info, QString& error) const override {
        auto flash = std::make_unique<sflash>();
        error = readPendriveFile(path, *flash, PendriveTest::SizeOnly);
        if (!error.isEmpty()) return false;
        info = describeFlash(*flash);
        return true;
    }

    QString text(const QJsonObject& info) const override { return flashInfoText(info); }
};

PendriveInfo pendriveInfo;
const bool pendriveInfoRegistered = (registerInfoFormatter(&pendriveInfo), true);

}  // namespace
}  // namespace lt::cli
