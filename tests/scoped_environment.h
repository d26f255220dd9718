#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <initializer_list>
#include <utility>
#include <vector>

namespace pranoth::testing {

// Sets environment variables for as long as it lives, then puts them back.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::initializer_list<std::pair<const char *, QByteArray>> values)
    {
        for (const auto &[name, value] : values) {
            saved_.emplace_back(name, qgetenv(name));
            qputenv(name, value);
        }
    }
    ~ScopedEnvironment()
    {
        for (const auto &[name, value] : saved_)
            qputenv(name, value);
    }
    ScopedEnvironment(const ScopedEnvironment &) = delete;
    ScopedEnvironment &operator=(const ScopedEnvironment &) = delete;

private:
    std::vector<std::pair<const char *, QByteArray>> saved_;
};

} // namespace pranoth::testing
