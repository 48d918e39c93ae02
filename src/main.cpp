#include "platform/commandchannel.h"
#include "platform/desktop.h"
#include "platform/xwayland.h"
#include "shell/commandline.h"
#include "shell/program.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Answered before Qt opens the display: "--version" works without one.
    if (auto answer = vantor::answerArguments({argv + 1, argv + argc})) {
        if (!answer->handOver.empty())
            answer = vantor::answerHandOver(
                answer->handOver,
                vantor::handToRunningCopy(QByteArray::fromStdString(answer->handOver)));
        std::fputs(answer->line.c_str(), answer->toStandardError ? stderr : stdout);
        return answer->exitStatus;
    }
    if (vantor::runThroughXWayland(qgetenv("WAYLAND_DISPLAY"), qgetenv("QT_QPA_PLATFORM")))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor Screen Tools"));
    QApplication::setOrganizationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral(VANTOR_VERSION));
    // The program lives in the tray; closing a tool window never ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    vantor::setDesktop(vantor::createNativeDesktop());
    if (const std::string note = vantor::desktop().sessionNote(); !note.empty())
        std::fputs(note.c_str(), stderr);
    if (!vantor::Main())
        return 0;
    return QApplication::exec();
}
