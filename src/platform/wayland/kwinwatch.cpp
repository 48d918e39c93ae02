#include "platform/wayland/kwinwatch.h"

#include <QCoreApplication>
#include <QDBusConnection>

#include <utility>

namespace vantor {

namespace {

const QString WatchPath = QStringLiteral("/kwinwatch");
// How long windows stay watched after the lens last asked: its ticks come far more often.
constexpr int DrawingWatchMs = 2000;

// The pointer's place once as the script starts, then at every move.
const char* const PointerScript = R"(
function tell() {
    callDBus(service, path, iface, "moved", workspace.cursorPos.x, workspace.cursorPos.y);
}
workspace.cursorPosChanged.connect(tell);
tell();
)";

// Every window but the program's own, which the lens redraws at every copy it shows; a window
// that comes, goes or moves uncovers what lay around it.
const char* const DrawingScript = R"(
function drew() { callDBus(service, path, iface, "drew"); }
function watch(window) {
    if (window.pid === ownPid)
        return;
    window.damaged.connect(drew);
    window.frameGeometryChanged.connect(drew);
    drew();
}
(workspace.windowList ? workspace.windowList() : workspace.clientList()).forEach(watch);
(workspace.windowAdded || workspace.clientAdded).connect(watch);
(workspace.windowRemoved || workspace.clientRemoved).connect(drew);
)";

} // namespace

KWinWatch::KWinWatch() {
    m_drawingWatched.setSingleShot(true);
    m_drawingWatched.setInterval(DrawingWatchMs);
    connect(&m_drawingWatched, &QTimer::timeout, this, [this] { m_drawingScript.reset(); });
}

std::unique_ptr<KWinWatch> KWinWatch::start() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    std::unique_ptr<KWinWatch> watch(new KWinWatch);
    if (!bus.isConnected() ||
        !bus.registerObject(WatchPath, watch.get(), QDBusConnection::ExportScriptableSlots))
        return nullptr;
    watch->m_pointerScript = KWinScript::run(watch->script(PointerScript),
                                             QStringLiteral("vantor-pointer") + bus.baseService());
    if (!watch->m_pointerScript) {
        bus.unregisterObject(WatchPath);
        return nullptr;
    }
    return watch;
}

// The scripts call this connection by its unique name, which no other copy can hold, so that
// two sessions' copies never hear or unload each other's scripts.
QByteArray KWinWatch::script(const char* body) const {
    return "var service = \"" + QDBusConnection::sessionBus().baseService().toLatin1() +
           "\", path = \"" + WatchPath.toLatin1() +
           "\", iface = \"org.vantor.ScreenTools.KWinWatch\", ownPid = " +
           QByteArray::number(QCoreApplication::applicationPid()) + ";\n" + body;
}

bool KWinWatch::takeDrawn() {
    m_drawingWatched.start();
    if (m_drawingScript)
        return std::exchange(m_drew, false);
    if (!m_drawingUnwatchable) {
        m_drawingScript =
            KWinScript::run(script(DrawingScript), QStringLiteral("vantor-drawing") +
                                                       QDBusConnection::sessionBus().baseService());
        m_drawingUnwatchable = !m_drawingScript;
        m_drew = false;
    }
    // Unwatched until now, or not watchable at all: anything may have changed.
    return true;
}

void KWinWatch::moved(int x, int y) {
    m_pointer = QPoint(x, y);
}

void KWinWatch::drew() {
    m_drew = true;
}

} // namespace vantor
