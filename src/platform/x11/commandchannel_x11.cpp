#include "platform/commandchannel.h"

#include "platform/x11/instancefile.h"

#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantor {

namespace {

// A command is one short word and a newline; the answer "ok" or "unknown" and a newline.
constexpr int LongestLine = 64;
// The sender waits this long for the running copy to take its command; the running copy waits
// as long for the line of a sender that has connected, so a silent one cannot hold it up.
constexpr int SenderWaitMs = 5000;
constexpr int LineWaitMs = 500;

QByteArray socketPath() {
    return QFile::encodeName(
        instanceFile(QString::fromLocal8Bit(qgetenv("DISPLAY")), QStringLiteral(".socket")));
}

bool addressFor(const QByteArray& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.size() >= int(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// One line from fd, without its newline; empty when none came within waitMs.
QByteArray readLine(int fd, int waitMs) {
    QByteArray line;
    char buffer[LongestLine];
    while (line.size() < LongestLine) {
        pollfd ready = {fd, POLLIN, 0};
        if (poll(&ready, 1, waitMs) <= 0)
            return {};
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0)
            return {};
        line.append(buffer, int(got));
        if (const qsizetype end = line.indexOf('\n'); end >= 0)
            return line.left(end);
    }
    return {};
}

bool writeAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t wrote =
            send(fd, data.constData() + done, size_t(data.size() - done), MSG_NOSIGNAL);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        done += wrote;
    }
    return true;
}

class CommandSocket final : public QObject {
public:
    CommandSocket(QObject* parent, int fd, QByteArray path,
                  std::function<bool(const QByteArray&)> accept)
        : QObject(parent), m_fd(fd), m_path(std::move(path)), m_accept(std::move(accept)),
          m_notifier(fd, QSocketNotifier::Read) {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { takeOne(); });
    }
    ~CommandSocket() override {
        close(m_fd);
        unlink(m_path.constData());
    }
    CommandSocket(const CommandSocket&) = delete;
    CommandSocket& operator=(const CommandSocket&) = delete;

private:
    void takeOne() {
        const int client = accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        const QByteArray command = readLine(client, LineWaitMs);
        const bool known = !command.isEmpty() && m_accept(command);
        writeAll(client, known ? QByteArrayLiteral("ok\n") : QByteArrayLiteral("unknown\n"));
        close(client);
    }

    int m_fd;
    QByteArray m_path;
    std::function<bool(const QByteArray&)> m_accept;
    QSocketNotifier m_notifier;
};

} // namespace

HandOver handToRunningCopy(const QByteArray& command) {
    sockaddr_un address;
    if (!addressFor(socketPath(), address))
        return HandOver::Failed;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return HandOver::Failed;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int reason = errno;
        close(fd);
        return reason == ENOENT || reason == ECONNREFUSED ? HandOver::NoCopyRuns : HandOver::Failed;
    }
    const bool taken = writeAll(fd, command + '\n') && readLine(fd, SenderWaitMs) == "ok";
    close(fd);
    return taken ? HandOver::Delivered : HandOver::Failed;
}

void listenForCommands(QObject* parent, std::function<bool(const QByteArray&)> accept) {
    const QByteArray path = socketPath();
    sockaddr_un address;
    if (!addressFor(path, address))
        return;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // This copy holds the single-instance claim, so a socket file left here is a dead copy's.
    unlink(path.constData());
    // Only the user may hand commands over, also where the runtime folder is the shared /tmp.
    const mode_t before = umask(0077);
    const bool bound = bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    umask(before);
    if (!bound || ::listen(fd, 4) != 0) {
        close(fd);
        return;
    }
    new CommandSocket(parent, fd, path, std::move(accept));
}

} // namespace vantor
