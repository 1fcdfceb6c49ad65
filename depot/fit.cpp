#include "depot/fit.h"

namespace lt {

QString FitChange::text() const {
    return QStringLiteral("%1/%2 %3: %4").arg(lang).arg(view).arg(region, what);
}

QList<FitChange> fitView(sDane&, int, int) {
    return {};
}

QList<FitChange> fitProject(sDane&, const FitOptions&) {
    return {};
}

}  // namespace lt
