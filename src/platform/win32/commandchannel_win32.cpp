#include "platform/commandchannel.h"

namespace vantor {

// Windows has no channel yet: the key combinations work there whichever program has the focus.
HandOver handToRunningCopy(const QByteArray&) {
    return HandOver::Unsupported;
}

void listenForCommands(QObject*, std::function<bool(const QByteArray&)>) {}

} // namespace vantor
