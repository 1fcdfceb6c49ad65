#pragma once
// Counted nouns in the editor's English messages: "1 region", "2 regions".

#include <QString>

namespace lt {

/// `count` followed by `one` when it is 1 and by `many` otherwise.
inline QString countOf(qsizetype count, const char* one, const char* many) {
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

}  // namespace lt
