#include "platform/wayland/portalshortcuts.h"

#include "platform/wayland/portalrequest.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

#include <cstdio>

namespace vantor {

namespace {

const QString ShortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// One shortcut as the portal takes it: its id, then a description and the preferred trigger.
struct PortalShortcut {
    QString id;
    QVariantMap options;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.options;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.options;
    argument.endStructure();
    return argument;
}

} // namespace

} // namespace vantor

Q_DECLARE_METATYPE(vantor::PortalShortcut)

namespace vantor {

namespace {

QList<PortalShortcut> portalList(const QList<GlobalShortcut>& shortcuts) {
    QList<PortalShortcut> list;
    for (const GlobalShortcut& shortcut : shortcuts)
        list.append({QString::fromLatin1(shortcut.command),
                     {{QStringLiteral("description"), shortcut.description},
                      {QStringLiteral("preferred_trigger"), shortcut.trigger}}});
    return list;
}

} // namespace

bool globalShortcutsPortalOffered() {
    return portalOffers(ShortcutsInterface);
}

PortalShortcuts::PortalShortcuts(QList<GlobalShortcut> shortcuts,
                                 std::function<void(const QByteArray&)> run)
    : m_shortcuts(std::move(shortcuts)), m_run(std::move(run)) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    QDBusConnection::sessionBus().connect(PortalService, PortalPath, ShortcutsInterface,
                                          QStringLiteral("Activated"), this,
                                          SLOT(Activated(QDBusMessage)));
    // KDE Plasma 5.27 binds the shortcuts named when the session is made; other desktops bind
    // those of BindShortcuts, which follows once the session is there.
    const QString sessionToken = QStringLiteral("vantor");
    m_session = portalSessionPath(QDBusConnection::sessionBus(), sessionToken);
    ask(QStringLiteral("CreateSession"),
        {QVariantMap{{QStringLiteral("session_handle_token"), sessionToken},
                     {QStringLiteral("shortcuts"), QVariant::fromValue(portalList(m_shortcuts))}}});
}

void PortalShortcuts::ask(const QString& method, QList<QVariant> arguments) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString token = QStringLiteral("vantorkeys%1").arg(++m_requests);
    if (!m_request.isEmpty())
        bus.disconnect(PortalService, m_request, PortalRequest, QStringLiteral("Response"), this,
                       SLOT(Response(uint, QVariantMap)));
    m_request = portalRequestPath(bus, token);
    bus.connect(PortalService, m_request, PortalRequest, QStringLiteral("Response"), this,
                SLOT(Response(uint, QVariantMap)));
    QVariantMap options = arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QDBusMessage call =
        QDBusMessage::createMethodCall(PortalService, PortalPath, ShortcutsInterface, method);
    call.setArguments(arguments);
    bus.asyncCall(call);
}

void PortalShortcuts::Response(uint code, const QVariantMap& results) {
    if (code != 0) {
        std::fputs("vantor-screen-tools: the desktop did not bind the key combinations; bind "
                   "\"vantor-screen-tools --run COMMAND\" in its shortcut settings.\n",
                   stderr);
        return;
    }
    if (m_bindAsked)
        return;
    m_bindAsked = true;
    if (const QString named = results.value(QStringLiteral("session_handle")).toString();
        !named.isEmpty())
        m_session = named;
    ask(QStringLiteral("BindShortcuts"),
        {QVariant::fromValue(QDBusObjectPath(m_session)),
         QVariant::fromValue(portalList(m_shortcuts)), QString(), QVariantMap()});
}

void PortalShortcuts::Activated(const QDBusMessage& message) {
    // (session, shortcut id, time stamp, options)
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() >= 2 && arguments[0].value<QDBusObjectPath>().path() == m_session)
        m_run(arguments[1].toString().toLatin1());
}

} // namespace vantor
