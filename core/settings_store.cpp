#include "settings_store.h"

#include "core/platform.h"

namespace pranoth {

namespace {
constexpr int Shift = 85;
constexpr std::string_view Section = "Settings";
} // namespace

std::string shiftedForm(std::string_view text)
{
    std::string stored;
    stored.reserve(text.size());
    for (const char c : text) {
        const int code = static_cast<unsigned char>(c) + Shift;
        if (code <= 255)
            stored += static_cast<char>(code);
    }
    return stored;
}

std::string unshiftedForm(std::string_view stored)
{
    std::string text;
    text.reserve(stored.size());
    for (const char c : stored) {
        const int code = static_cast<unsigned char>(c) - Shift;
        if (code >= 0)
            text += static_cast<char>(code);
    }
    return text;
}

std::optional<std::string> readSetting(Platform &platform, std::string_view key)
{
    const auto stored = platform.readSetting(Section, shiftedForm(key));
    if (!stored || stored->empty())
        return std::nullopt;
    return unshiftedForm(*stored);
}

void saveSetting(Platform &platform, std::string_view key, std::string_view value)
{
    platform.writeSetting(Section, shiftedForm(key), shiftedForm(value));
}

} // namespace pranoth
