#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

namespace pexor::test {

// Sets an environment variable for the life of the object.
class EnvGuard {
public:
    EnvGuard(const char *name, const QByteArray &value) : name_(name) {
        if (qEnvironmentVariableIsSet(name))
            old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~EnvGuard() {
        if (old_)
            qputenv(name_, *old_);
        else
            qunsetenv(name_);
    }
    EnvGuard(const EnvGuard &) = delete;
    EnvGuard &operator=(const EnvGuard &) = delete;

private:
    const char *name_;
    std::optional<QByteArray> old_;
};

} // namespace pexor::test
