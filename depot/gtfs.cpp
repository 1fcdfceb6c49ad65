#include "depot/gtfs.h"

namespace lt {

QStringList gtfsDefaultViaWords() {
    return {QStringLiteral("via"),  QStringLiteral("über"), QStringLiteral("przez"),
            QStringLiteral("přes"), QStringLiteral("över"), QStringLiteral("par")};
}

QString gtfsDestinations(const QHash<QString, QByteArray>&, const GtfsOptions&, QList<GtfsDestination>&) {
    return QStringLiteral("not read yet");
}

GtfsImportResult importGtfsFeed(const QString&, sDane&, const GtfsOptions&) {
    return {QStringLiteral("not read yet"), 0, {}};
}

GtfsImportResult importGtfsTables(const QHash<QString, QByteArray>&, sDane&, const GtfsOptions&) {
    return {QStringLiteral("not read yet"), 0, {}};
}

}  // namespace lt
