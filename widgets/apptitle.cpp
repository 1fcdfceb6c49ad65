#include "widgets/apptitle.h"

namespace lt {
namespace {

QString& title() {
    static QString t;
    return t;
}

}  // namespace

QString applicationTitle() {
    return title();
}

void setApplicationTitle(const QString& t) {
    title() = t;
}

}  // namespace lt
