#pragma once

#include "platform/desktop.h"

#include <QDBusMessage>
#include <QObject>
#include <QVariantMap>

#include <functional>

namespace vantor {

// Whether the session's desktop portal offers global shortcuts; asked once at start.
bool globalShortcutsPortalOffered();

// The key combinations, watched by the desktop through its GlobalShortcuts portal for as long
// as this lives: a session is asked for, the shortcuts are bound in it, and each activation runs
// its command. The portal answers later, on the event loop.
class PortalShortcuts final : public QObject {
    Q_OBJECT
public:
    PortalShortcuts(QList<GlobalShortcut> shortcuts, std::function<void(const QByteArray&)> run);

public slots:
    void Response(uint code, const QVariantMap& results);
    void Activated(const QDBusMessage& message);

private:
    // Sends method with arguments to the portal, its answer to come as a Response of a request
    // named after the token.
    void ask(const QString& method, QList<QVariant> arguments);

    QList<GlobalShortcut> m_shortcuts;
    std::function<void(const QByteArray&)> m_run;
    QString m_session;
    bool m_bindAsked = false;
    QString m_request;
    int m_requests = 0;
};

} // namespace vantor
