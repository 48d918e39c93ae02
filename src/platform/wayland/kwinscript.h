#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

namespace vantor {

// A script run by KDE Plasma's compositor for as long as this object lives.
class KWinScript {
public:
    // Loads and runs the script under the plugin name, which no other script may hold; nothing
    // where KWin takes no scripts.
    static std::unique_ptr<KWinScript> run(const QByteArray& text, const QString& plugin);
    ~KWinScript();
    KWinScript(const KWinScript&) = delete;
    KWinScript& operator=(const KWinScript&) = delete;

private:
    explicit KWinScript(QString plugin) : m_plugin(std::move(plugin)) {}

    QString m_plugin;
};

} // namespace vantor
