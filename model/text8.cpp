#include "model/text8.h"

#include "model/carry.h"

#include <algorithm>
#include <cstring>

namespace lt {

const char16_t plchars[18] = {u'Ą', u'Ć', u'Ę', u'Ł', u'Ń', u'Ó', u'Ś', u'Ź', u'Ż',
                              u'ą', u'ć', u'ę', u'ł', u'ń', u'ó', u'ś', u'ź', u'ż'};
const std::uint8_t achars[18] = {'A',  'C',  'E',  'L',  'N',  'O',  'S',  'Z',  'Z',
                                 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x08};

std::uint8_t AnsiCharOf(char16_t unit) {
    for (int j = 0; j < 18; ++j)
        if (unit == plchars[j]) return achars[j];
    return static_cast<std::uint8_t>(unit & 0xFF);
}

void StringToAnsiChar(QStringView str, char* chars, int capacity) {
    if (capacity <= 0) return;
    // Characters the 8-bit texts cannot carry as they are get their nearest
    // carried form, which may take more than one byte (œ as "oe").
    const QByteArray bytes = carryText(str).bytes;
    const qsizetype n = std::min<qsizetype>(bytes.size(), capacity - 1);
    std::memcpy(chars, bytes.constData(), static_cast<std::size_t>(n));
    chars[n] = 0;
}

QString AnsiCharToString(const char* chars, int capacity) {
    QString s;
    for (int i = 0; i < capacity && chars[i] != 0; ++i) {
        const auto b = static_cast<std::uint8_t>(chars[i]);
        s += (b >= 1 && b <= 8) ? QChar(plchars[8 + b]) : QChar(b);
    }
    return s;
}

}  // namespace lt
