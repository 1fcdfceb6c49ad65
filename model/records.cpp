#include "model/records.h"

#include <QStringList>

namespace lt {

std::uint32_t Int2Color(std::int32_t index) {
    static constexpr std::uint32_t table[8] = {
        0x000000,  // ciBlack
        0x0000FF,  // ciRed
        0x00FF00,  // ciGreen
        0xFF0000,  // ciBlue
        0x00FFFF,  // ciYellow
        0xFFFF00,  // ciCyan
        0xFF00FF,  // ciMagenta
        0xFFFFFF,  // ciWhite
    };
    if (index < 0 || index > 7) return 0x000000;
    return table[index];
}

FontStyle Int2FontStyle(std::int32_t code) {
    switch (code) {
    case styItalic: return {false, true, false};
    case styBold: return {true, false, false};
    case styItalicBold: return {true, true, false};
    case styUnderline: return {false, false, true};
    default: return {};
    }
}

QStringList MovementTexts() {
    return {QStringLiteral("none"),  QStringLiteral("in left"), QStringLiteral("in right"),
            QStringLiteral("in up"), QStringLiteral("in down"), QStringLiteral("<--->"),
            QStringLiteral("flashing")};
}

QStringList StyleTexts() {
    return {QStringLiteral("none"), QStringLiteral("italic"), QStringLiteral("bold"),
            QStringLiteral("italic/bold"), QStringLiteral("underline")};
}

QString ReadText(const char16_t* field, int capacity) {
    int n = 0;
    while (n < capacity && field[n] != 0) ++n;
    return QString(reinterpret_cast<const QChar*>(field), n);
}

void StringToWideChar(const QString& text, char16_t* field, int capacity) {
    if (capacity <= 0) return;
    qsizetype n = std::min<qsizetype>(text.size(), capacity - 1);
    // Never leave the first half of a surrogate pair at the end of a cut text.
    if (n > 0 && n < text.size() && text.at(n - 1).isHighSurrogate()) --n;
    const QChar* src = text.constData();
    for (qsizetype i = 0; i < n; ++i) field[i] = src[i].unicode();
    field[n] = 0;
}

}  // namespace lt
