#pragma once

#include <QByteArray>
#include <QList>
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

} // namespace vantor::test
