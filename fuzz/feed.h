#pragma once
// The input of the timetable feed harnesses: routes.txt, then a form feed,
// then trips.txt (no form feed: routes.txt only, so the feed lacks its trips),
// then optionally another form feed and stop_times.txt.

#include "depot/gtfs.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace lt::fuzz {

inline QHash<QString, QByteArray> feedTables(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QHash<QString, QByteArray> tables;
    const qsizetype split = bytes.indexOf('\f');
    tables.insert(QStringLiteral("routes.txt"), split < 0 ? bytes : bytes.left(split));
    if (split < 0) return tables;
    const qsizetype stops = bytes.indexOf('\f', split + 1);
    tables.insert(QStringLiteral("trips.txt"), bytes.mid(split + 1, stops < 0 ? -1 : stops - split - 1));
    if (stops >= 0) tables.insert(QStringLiteral("stop_times.txt"), bytes.mid(stops + 1));
    return tables;
}

}  // namespace lt::fuzz
