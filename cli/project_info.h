#pragma once
// Describers of the files `linetint-cli info` reads, chosen by file size.

#include <QJsonObject>
#include <QString>

namespace lt::cli {

class InfoFormatter {
public:
    virtual ~InfoFormatter() = default;
    virtual bool accepts(qint64 size) const = 0;
    /// Fills the description; false with an error text when the file is bad.
    virtual bool describe(const QString& path, QJsonObject& info, QString& error) const = 0;
    /// The description as text for people.
    virtual QString text(const QJsonObject& info) const = 0;
};

void registerInfoFormatter(InfoFormatter* f);
InfoFormatter* infoFormatterFor(const QString& path);

}  // namespace lt::cli
