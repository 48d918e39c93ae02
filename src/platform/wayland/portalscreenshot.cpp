#include "platform/wayland/portalscreenshot.h"

#include "platform/wayland/portalrequest.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>

namespace vantor {

namespace {

const QString ScreenshotInterface = QStringLiteral("org.freedesktop.portal.Screenshot");
// A desktop may ask the user before its first screenshot; that takes a person's time.
constexpr int AnswerLimitMs = 30000;
// The call itself is answered at once; the picture comes later.
constexpr int CallLimitMs = 3000;

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

} // namespace

bool screenshotPortalOffered() {
    return portalOffers(ScreenshotInterface);
}

QImage PortalScreenshot::take(CopyRefusal& refusal) {
    refusal = CopyRefusal::Failed;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (m_busy || !bus.isConnected())
        return {};
    m_busy = true;
    const QString token = QStringLiteral("vantor%1").arg(++m_requests);
    const QString path = portalRequestPath(bus, token);
    PortalAnswer answer;
    QEventLoop wait;
    QObject::connect(&answer, &PortalAnswer::done, &wait, &QEventLoop::quit);
    bus.connect(PortalService, path, PortalRequest, QStringLiteral("Response"), &answer,
                SLOT(Response(uint, QVariantMap)));
    QDBusMessage call = QDBusMessage::createMethodCall(
        PortalService, PortalPath, ScreenshotInterface, QStringLiteral("Screenshot"));
    call << QString()
         << QVariantMap{{QStringLiteral("handle_token"), token},
                        {QStringLiteral("interactive"), false}};
    const QDBusMessage reply = bus.call(call, QDBus::Block, CallLimitMs);
    if (reply.type() == QDBusMessage::ReplyMessage && !answer.answered) {
        QTimer::singleShot(AnswerLimitMs, &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    bus.disconnect(PortalService, path, PortalRequest, QStringLiteral("Response"), &answer,
                   SLOT(Response(uint, QVariantMap)));
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
