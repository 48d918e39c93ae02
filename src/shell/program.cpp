#include "shell/program.h"

#include "core/appstate.h"
#include "core/texts.h"
#include "platform/desktop.h"
#include "shell/frmMain.h"
#include "shell/monitorwatch.h"
#include "toolbar/frmToolbar.h"

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
    frmToolbar& toolbar = frmToolbar::instance();
    QObject::connect(&toolbar, &frmToolbar::contextMenuRequested, &main, &frmMain::openPopupMenu);
    toolbar.show();
    new MonitorWatch(&main);
    return true;
}

} // namespace vantor
