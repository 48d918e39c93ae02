#include "platform/wayland/portalscreenshot.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace vantor {

namespace {

const QString PortalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
// A desktop may ask the user before its first screenshot; that takes a person's time.
constexpr int AnswerLimitMs = 30000;
// The portal starts on the first call to it, which takes a moment on a busy machine.
constexpr int ProbeLimitMs = 3000;

// The portal's answer to one request, which comes as a signal of the request's own object.
class PortalAnswer final : public QObject {
    Q_OBJECT
public:
    bool answered = false;
    uint code = 2;
    QVariantMap results;

public slots:
    void Response(uint response, const QVariantMap& values) {
        answered = true;
        code = response;
        results = values;
        emit done();
    }

signals:
    void done();
};

// The object path the portal gives a request of this connection with this token, known before
// the call so that the answer cannot come before the program listens for it.
QString requestPath(const QDBusConnection& bus, const QString& token) {
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return PortalPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

} // namespace

bool screenshotPortalOffered() {
    // Without a session bus of its own, the bus library would start one for the X display, and
    // with it a portal that serves nobody.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo::exists(runtime + QStringLiteral("/bus"))))
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage ask = QDBusMessage::createMethodCall(
        PortalService, PortalPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    ask << ScreenshotInterface << QStringLiteral("version");
    return bus.call(ask, QDBus::Block, ProbeLimitMs).type() == QDBusMessage::ReplyMessage;
}

QImage PortalScreenshot::take(CopyRefusal& refusal) {
    refusal = CopyRefusal::Failed;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_busy || !bus.isConnected())
        return {};
    m_busy = true;
    const QString token = QStringLiteral("vantor%1").arg(++m_requests);
    const QString path = requestPath(bus, token);
    PortalAnswer answer;
    QEventLoop wait;
    QObject::connect(&answer, &PortalAnswer::done, &wait, &QEventLoop::quit);
    bus.connect(PortalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                QStringLiteral("Response"), &answer, SLOT(Response(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, PortalPath, ScreenshotInterface, QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDBusMessage reply = bus.call(call, QDBus::Block, ProbeLimitMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !answer.answered) {
        QTimer::singleShot(AnswerLimitMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    bus.disconnect(PortalService, path, QStringLiteral("org.freedesktop.portal.Request"),
                   QStringLiteral("Response"), &answer, SLOT(Response(uint, QVariantMap)));
    m_busy = false;
    if (!answer.answered)
        return {};
    // 1: the user cancelled; 2: the desktop refused or failed, which a portal does not tell
    // apart.
    if (answer.code != 0) {
        refusal = CopyRefusal::Denied;
        return {};
    }
    const QString file = QUrl(answer.results.value(QStringLiteral("uri")).toString()).toLocalFile();
    QImage picture(file);
    if (!file.isEmpty())
        QFile::remove(file);
    if (picture.isNull())
        return {};
    refusal = CopyRefusal::None;
    return picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace vantor

#include "portalscreenshot.moc"
