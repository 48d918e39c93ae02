#include "platform/trayicon.h"

namespace vantor {

// The Windows tray reports every right press as a context request.
void catchDroppedTrayPresses(QSystemTrayIcon&, const std::function<void()>&) {}

} // namespace vantor
