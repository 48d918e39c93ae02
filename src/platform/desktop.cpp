#include "platform/desktop.h"

#include <QtGlobal>

namespace vantor {

namespace {
std::unique_ptr<Desktop>& current() {
    static std::unique_ptr<Desktop> instance;
    return instance;
}
} // namespace

Desktop& desktop() {
    Q_ASSERT_X(current(), "desktop()", "setDesktop() must run before any window is created");
    return *current();
}

void setDesktop(std::unique_ptr<Desktop> implementation) {
    current() = std::move(implementation);
}

} // namespace vantor
