#include "platform/wayland/swaytree.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace vantor {

namespace {

// i3's IPC, which sway speaks: a magic word, the payload's length and the message type.
constexpr char Magic[] = {'i', '3', '-', 'i', 'p', 'c'};
constexpr std::uint32_t GetTree = 4;
constexpr int HeaderSize = sizeof Magic + 8;
constexpr int AnswerWaitMs = 1000;
// A desktop's tree is a few hundred kilobytes at most; more is not sway talking.
constexpr std::uint32_t LongestTree = 16 * 1024 * 1024;

std::optional<QRect> focusedIn(const QJsonObject& node) {
    if (node.value(QStringLiteral("focused")).toBool()) {
        if (node.value(QStringLiteral("shell")).toString() != QStringLiteral("xdg_shell"))
            return std::nullopt;
        const QJsonObject rect = node.value(QStringLiteral("rect")).toObject();
        return QRect(rect.value(QStringLiteral("x")).toInt(),
                     rect.value(QStringLiteral("y")).toInt(),
                     rect.value(QStringLiteral("width")).toInt(),
                     rect.value(QStringLiteral("height")).toInt());
    }
    for (const char* children : {"nodes", "floating_nodes"})
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray())
            if (const std::optional<QRect> found = focusedIn(child.toObject()))
                return found;
    return std::nullopt;
}

bool readAll(int fd, char* into, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        pollfd ready = {fd, POLLIN, 0};
        if (poll(&ready, 1, AnswerWaitMs) <= 0)
            return false;
        const ssize_t got = read(fd, into + done, size - done);
        if (got <= 0)
            return false;
        done += std::size_t(got);
    }
    return true;
}

} // namespace

std::optional<QRect> focusedNativeWindow(const QByteArray& tree) {
    const std::optional<QRect> found = focusedIn(QJsonDocument::fromJson(tree).object());
    if (found && found->isEmpty())
        return std::nullopt;
    return found;
}

QByteArray swayTree() {
    const QByteArray path = QFile::encodeName(qEnvironmentVariable("SWAYSOCK"));
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.size() >= int(sizeof address.sun_path))
        return {};
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return {};
    QByteArray answer;
    char header[HeaderSize] = {};
    std::memcpy(header, Magic, sizeof Magic);
    std::memcpy(header + sizeof Magic + 4, &GetTree, 4);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        write(fd, header, sizeof header) == ssize_t(sizeof header) &&
        readAll(fd, header, sizeof header) && std::memcmp(header, Magic, sizeof Magic) == 0) {
        std::uint32_t length = 0;
        std::memcpy(&length, header + sizeof Magic, 4);
        if (length <= LongestTree) {
            answer.resize(qsizetype(length));
            if (!readAll(fd, answer.data(), length))
                answer.clear();
        }
    }
    close(fd);
    return answer;
}

} // namespace vantor
