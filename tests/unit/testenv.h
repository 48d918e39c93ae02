#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <initializer_list>
#include <optional>
#include <utility>

namespace vantor::test {

// Sets environment variables for as long as it lives, then puts back what was there before.
// A null value unsets the variable.
class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values)
            set(name, value);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    // Latest first, so that a variable set twice gets back what it held before the first time.
    ~ScopedEnv() {
        for (auto saved = before.crbegin(); saved != before.crend(); ++saved)
            saved->second ? qputenv(saved->first, *saved->second) : qunsetenv(saved->first);
    }

    void set(const char* name, const char* value) {
        before.append(
            {name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt});
        value ? qputenv(name, value) : qunsetenv(name);
    }

private:
    QList<std::pair<const char*, std::optional<QByteArray>>> before;
};

// Writes bytes to a new file at path, replacing what was there; false when that fails.
inline bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace vantor::test
