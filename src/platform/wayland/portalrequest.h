#pragma once

#include <QDBusConnection>
#include <QString>

namespace vantor {

// The desktop portal's service and object, which every portal interface is on.
inline const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
inline const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
inline const QString PortalRequest = QStringLiteral("org.freedesktop.portal.Request");

// The object paths the portal gives a request and a session of this connection with this token,
// known before the call: an answer cannot come before the program listens for it, and a desktop
// that does not name the session in its answer names it so in its signals.
QString portalRequestPath(const QDBusConnection& bus, const QString& token);
QString portalSessionPath(const QDBusConnection& bus, const QString& token);

// Whether the session names a bus of its own. Where it does not, the bus library would start
// one for the X display, and with it a portal that serves nobody: no service is asked then.
bool sessionBusNamed();

// Whether the portal answers for interface; asked once at start, on a bus the session names.
bool portalOffers(const QString& interface);

} // namespace vantor
