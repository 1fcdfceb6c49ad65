#include "tests/support/projects.h"

#include "model/defaults.h"

#include <cstring>

namespace lt::test {

std::unique_ptr<sDane> defaultProject() {
    auto d = std::make_unique<sDane>();
    std::memset(static_cast<void*>(d.get()), 0, sizeof(sDane));
    NewDane(*d);
    return d;
}

}  // namespace lt::test
