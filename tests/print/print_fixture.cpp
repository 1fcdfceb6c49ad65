#include "print_fixture.h"

#include <QRegularExpression>

namespace lt::test {

int pdfPageCount(const QByteArray& pdf) {
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![A-Za-z])"));
    return static_cast<int>(QString::fromLatin1(pdf).count(page));
}

}  // namespace lt::test
