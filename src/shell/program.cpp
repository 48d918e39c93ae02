#include "shell/program.h"

#include "core/appstate.h"
#include "core/texts.h"
#include "platform/desktop.h"
#include "shell/frmMain.h"

namespace vantor {

bool Main() {
    if (!desktop().claimSingleInstance()) {
        ShutdownApplication();
        return false;
    }
    appState().SnapToLineGrid = true;
    appState().CaptureNumber = 1;
    frmMain& main = frmMain::instance();
    main.setVisible(false);
    main.AddTrayIcon(LoadText(101));
    return true;
}

} // namespace vantor
