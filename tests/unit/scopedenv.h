#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <initializer_list>
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
    ~ScopedEnv() {
        for (const Saved& saved : std::as_const(before))
            saved.wasSet ? qputenv(saved.name, saved.value) : qunsetenv(saved.name);
    }

    void set(const char* name, const char* value) {
        bool known = false;
        for (const Saved& saved : std::as_const(before))
            known = known || qstrcmp(saved.name, name) == 0;
        if (!known)
            before.append({name, qEnvironmentVariableIsSet(name), qgetenv(name)});
        value ? qputenv(name, value) : qunsetenv(name);
    }

private:
    struct Saved {
        const char* name;
        bool wasSet;
        QByteArray value;
    };
    QList<Saved> before;
};

} // namespace vantor::test
