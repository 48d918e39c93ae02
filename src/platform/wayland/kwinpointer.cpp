#include "platform/wayland/kwinpointer.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QTemporaryFile>

namespace vantor {

namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
const QString PointerPath = QStringLiteral("/pointer");

QDBusMessage scriptingCall(const QString& path, const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(KWinService, path, interface, method);
}

// The script calls this connection by its unique name, which no other copy can hold; it tells
// the place once as it starts, then at every move.
QByteArray scriptFor(const QString& uniqueName) {
    const QByteArray call = "callDBus(\"" + uniqueName.toLatin1() + "\", \"" +
                            PointerPath.toLatin1() +
                            "\", \"org.vantor.ScreenTools.Pointer\", \"moved\", "
                            "workspace.cursorPos.x, workspace.cursorPos.y);";
    return "function tell() { " + call + " }\nworkspace.cursorPosChanged.connect(tell);\ntell();\n";
}

} // namespace

std::unique_ptr<KWinPointer> KWinPointer::start() {
    std::unique_ptr<KWinPointer> pointer(new KWinPointer);
    if (!pointer->load())
        return nullptr;
    return pointer;
}

bool KWinPointer::load() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() ||
        !bus.registerObject(PointerPath, this, QDBusConnection::ExportScriptableSlots))
        return false;
    // KWin reads the script while it loads it; the file is not needed after.
    QTemporaryFile script;
    if (!script.open() || script.write(scriptFor(bus.baseService())) < 0 || !script.flush())
        return false;
    // The plugin's name is the connection's, so that two sessions' copies never unload each
    // other's script.
    m_plugin = QStringLiteral("vantor-pointer") + bus.baseService();
    QDBusMessage loadCall = scriptingCall(QStringLiteral("/Scripting"), ScriptingInterface,
                                          QStringLiteral("loadScript"));
    loadCall << script.fileName() << m_plugin;
    const QDBusReply<int> id = bus.call(loadCall);
    if (!id.isValid() || id.value() < 0)
        return false;
    // Plasma 5 names the loaded script's object by its number alone, Plasma 6 under /Scripting.
    for (const QString& path : {QStringLiteral("/Scripting/Script%1").arg(id.value()),
                                QStringLiteral("/%1").arg(id.value())}) {
        const QDBusMessage answer = bus.call(
            scriptingCall(path, QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run")));
        if (answer.type() == QDBusMessage::ReplyMessage)
            return true;
    }
    return false;
}

KWinPointer::~KWinPointer() {
    if (m_plugin.isEmpty())
        return;
    QDBusMessage unload = scriptingCall(QStringLiteral("/Scripting"), ScriptingInterface,
                                        QStringLiteral("unloadScript"));
    unload << m_plugin;
    QDBusConnection::sessionBus().call(unload);
}

void KWinPointer::moved(int x, int y) {
    m_position = QPoint(x, y);
}

} // namespace vantor
