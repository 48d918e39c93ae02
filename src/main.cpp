#include "platform/desktop.h"
#include "shell/program.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor Screen Tools"));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    // The program lives in the tray; closing a tool window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    vantor::setDesktop(vantor::createNativeDesktop());
    if (!vantor::Main())
        return 0;
    return QApplication::exec();
}
