#include "shell/program.h"

#include "core/appstate.h"
#include "core/texts.h"
#include "platform/commandchannel.h"
#include "platform/desktop.h"
#include "shell/foregroundmonitor.h"
#include "shell/frmMain.h"
#include "shell/monitorwatch.h"
#include "toolbar/frmToolbar.h"

#include <QApplication>

#include <algorithm>

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
    // A command runs once its sender has been answered: a capture may wait for a dialog.
    const auto runLater = [](const QByteArray& command) {
        const auto& names = commandNames();
        if (std::find(names.begin(), names.end(), command.toStdString()) == names.end())
            return false;
        QMetaObject::invokeMethod(
            qApp, [command] { RunCommand(frmToolbar::instance(), command); }, Qt::QueuedConnection);
        return true;
    };
    listenForCommands(&main, runLater);
    desktop().takeGlobalShortcuts(globalShortcuts(), runLater);
    new MonitorWatch(&main);
    return true;
}

} // namespace vantor
