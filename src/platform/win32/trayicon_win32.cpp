#include "platform/trayicon.h"

namespace vantor {

// The Windows tray reports every right press as a context request.
void catchDroppedTrayPresses(QSystemTrayIcon&, const std::function<void()>&) {}

// Windows moves the focus as it hides the window; nothing is left to come.
void settleFocusBeforeMenu() {}

} // namespace vantor
