#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>
#include <initializer_list>
#include <utility>
#include <vector>

namespace pranoth::testing {

// Sets environment variables for as long as it lives, then puts them back
// (unset again when they were unset). The C library reads TZ again each time.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char *, QByteArray>> values)
    {
        for (const auto &[name, value] : values) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qputenv(name, value);
        }
        tzset();
    }
    ~ScopedEnvironment()
    {
        for (const Saved &saved : saved_) {
            if (saved.wasSet)
                qputenv(saved.name, saved.value);
            else
                qunsetenv(saved.name);
        }
        tzset();
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    struct Saved {
        const char *name;
        QByteArray value;
        bool wasSet;
    };
    std::vector<Saved> saved_;
};

} // namespace pranoth::testing
