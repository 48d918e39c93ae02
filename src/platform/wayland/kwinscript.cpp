#include "platform/wayland/kwinscript.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QTemporaryFile>

namespace vantor {

namespace {

QDBusMessage kwinCall(const QString& path, const QString& interface, const QString& method) {
    return QDBusMessage::createMethodCall(QStringLiteral("org.kde.KWin"), path, interface, method);
}

QDBusMessage scriptingCall(const QString& method) {
    return kwinCall(QStringLiteral("/Scripting"), QStringLiteral("org.kde.kwin.Scripting"), method);
}

} // namespace

std::unique_ptr<KWinScript> KWinScript::run(const QByteArray& text, const QString& plugin) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // KWin reads the script while it loads it; the file is not needed after.
    QTemporaryFile file;
    if (!bus.isConnected() || !file.open() || file.write(text) < 0 || !file.flush())
        return nullptr;
    QDBusMessage load = scriptingCall(QStringLiteral("loadScript"));
    load << file.fileName() << plugin;
    const QDBusReply<int> id = bus.call(load);
    if (!id.isValid() || id.value() < 0)
        return nullptr;
    std::unique_ptr<KWinScript> script(new KWinScript(plugin));
    // Plasma 5 names the loaded script's object by its number alone, Plasma 6 under /Scripting.
    for (const QString& path : {QStringLiteral("/Scripting/Script%1").arg(id.value()),
                                QStringLiteral("/%1").arg(id.value())}) {
        const QDBusMessage answer =
            bus.call(kwinCall(path, QStringLiteral("org.kde.kwin.Script"), QStringLiteral("run")));
        if (answer.type() == QDBusMessage::ReplyMessage)
            return script;
    }
    return nullptr;
}

KWinScript::~KWinScript() {
    QDBusMessage unload = scriptingCall(QStringLiteral("unloadScript"));
    unload << m_plugin;
    QDBusConnection::sessionBus().call(unload);
}

} // namespace vantor
