#include "platform/wayland/kwinscreenshot.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QVariantMap>

#include <cerrno>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vantor {

namespace {

const QString KWinService = QStringLiteral("org.kde.KWin");
const QString ScreenShotPath = QStringLiteral("/org/kde/KWin/ScreenShot2");
const QString ScreenShotInterface = QStringLiteral("org.kde.KWin.ScreenShot2");
// KWin answers once it has drawn the frame it copies; the pixels follow through the pipe.
constexpr int AnswerLimitMs = 5000;

// All that comes through fd until its writer closes it, at most bytes; empty when it stops
// coming for the limit.
QByteArray readPipe(int fd, qsizetype bytes) {
    QByteArray data(bytes, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes) {
        pollfd ready = {fd, POLLIN, 0};
        if (poll(&ready, 1, AnswerLimitMs) <= 0)
            return {};
        const ssize_t got = read(fd, data.data() + done, size_t(bytes - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return {};
        done += got;
    }
    return data;
}

} // namespace

bool KWinScreenShot::offered() {
    CopyRefusal refusal = CopyRefusal::None;
    return !captureArea(QRect(0, 0, 1, 1), refusal).isNull();
}

QImage KWinScreenShot::captureArea(const QRect& area, CopyRefusal& refusal) {
    refusal = CopyRefusal::Failed;
    QDBusConnection bus = QDBusConnection::sessionBus();
    int ends[2] = {-1, -1};
    if (area.isEmpty() || !bus.isConnected() || pipe2(ends, O_CLOEXEC) != 0)
        return {};
    QDBusMessage call = QDBusMessage::createMethodCall(
        KWinService, ScreenShotPath, ScreenShotInterface, QStringLiteral("CaptureArea"));
    call << area.x() << area.y() << uint(area.width()) << uint(area.height()) << QVariantMap()
         << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
    // The message holds its own copy of the writing end: the pipe ends when KWin closes it.
    close(ends[1]);
    const QDBusMessage reply = bus.call(call, QDBus::Block, AnswerLimitMs);
    QImage picture;
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()) {
        const QVariantMap results = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        const int width = results.value(QStringLiteral("width")).toInt();
        const int height = results.value(QStringLiteral("height")).toInt();
        const int stride = results.value(QStringLiteral("stride")).toInt();
        const auto format = QImage::Format(results.value(QStringLiteral("format")).toInt());
        const QByteArray pixels = readPipe(ends[0], qsizetype(stride) * height);
        if (width > 0 && height > 0 && !pixels.isEmpty()) {
            const QImage shared(reinterpret_cast<const uchar*>(pixels.constData()), width, height,
                                stride, format);
            // At the area's size: a monitor at a scale above 1 gives more pixels than XWayland's.
            picture = shared.convertToFormat(QImage::Format_RGB32)
                          .scaled(area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            refusal = CopyRefusal::None;
        }
    } else if (reply.errorName().endsWith(QStringLiteral("NoAuthorized"))) {
        refusal = CopyRefusal::Denied;
    }
    close(ends[0]);
    return picture;
}

std::optional<QRect> KWinScreenShot::activeWindowFrame() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    int ends[2] = {-1, -1};
    if (!bus.isConnected() || pipe2(ends, O_CLOEXEC) != 0)
        return std::nullopt;
    // The screenshot's answer names the window; its pixels are not wanted, so the pipe is shut.
    QDBusMessage call = QDBusMessage::createMethodCall(
        KWinService, ScreenShotPath, ScreenShotInterface, QStringLiteral("CaptureActiveWindow"));
    call << QVariantMap() << QVariant::fromValue(QDBusUnixFileDescriptor(ends[1]));
    close(ends[1]);
    close(ends[0]);
    const QDBusMessage reply = bus.call(call, QDBus::Block, AnswerLimitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    const QString window = qdbus_cast<QVariantMap>(reply.arguments().constFirst())
                               .value(QStringLiteral("windowId"))
                               .toString();
    QDBusMessage ask = QDBusMessage::createMethodCall(KWinService, QStringLiteral("/KWin"),
                                                      KWinService, QStringLiteral("getWindowInfo"));
    ask << window;
    const QDBusMessage info = bus.call(ask, QDBus::Block, AnswerLimitMs);
    if (window.isEmpty() || info.type() != QDBusMessage::ReplyMessage || info.arguments().isEmpty())
        return std::nullopt;
    const QVariantMap place = qdbus_cast<QVariantMap>(info.arguments().constFirst());
    const QRect frame(qRound(place.value(QStringLiteral("x")).toDouble()),
                      qRound(place.value(QStringLiteral("y")).toDouble()),
                      qRound(place.value(QStringLiteral("width")).toDouble()),
                      qRound(place.value(QStringLiteral("height")).toDouble()));
    if (frame.isEmpty())
        return std::nullopt;
    return frame;
}

} // namespace vantor
