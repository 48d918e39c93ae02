#include "platform/wayland/portalrequest.h"

#include <QDBusMessage>
#include <QFileInfo>

namespace vantor {

namespace {
// The portal starts on the first call to it, which takes a moment on a busy machine.
constexpr int ProbeLimitMs = 3000;
} // namespace

namespace {
QString handlePath(const QDBusConnection& bus, const QString& kind, const QString& token) {
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return PortalPath + QLatin1Char('/') + kind + QLatin1Char('/') + sender + QLatin1Char('/') +
           token;
}
} // namespace

QString portalRequestPath(const QDBusConnection& bus, const QString& token) {
    return handlePath(bus, QStringLiteral("request"), token);
}

QString portalSessionPath(const QDBusConnection& bus, const QString& token) {
    return handlePath(bus, QStringLiteral("session"), token);
}

bool sessionBusNamed() {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
           (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus")));
}

bool portalOffers(const QString& interface) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    ask << interface << QStringLiteral("version");
    return bus.call(ask, QDBus::Block, ProbeLimitMs).type() == QDBusMessage::ReplyMessage;
}

} // namespace vantor
