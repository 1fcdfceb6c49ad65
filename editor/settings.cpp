#include "editor/settings.h"

#include "editor/document.h"

#include <cstdint>

namespace lt {

void setLcdLevel(Document& doc, int level) {
    doc.change(QStringLiteral("LCD contrast"),
               [&] { doc.dane().LCDLevel = static_cast<std::uint8_t>(level & 0xFF); });
}

}  // namespace lt
