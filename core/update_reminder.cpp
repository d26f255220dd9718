#include "update_reminder.h"

#include "settings_store.h"
#include "web_pages.h"

#include <chrono>
#include <cstdio>

namespace pranoth {

namespace {

constexpr std::string_view DurationKey = "Duration";
constexpr long long QuietDays = 14;

std::chrono::sys_days calendarDay(const DateTime &dateTime)
{
    return std::chrono::year_month_day{std::chrono::year{dateTime.year},
                                       std::chrono::month{static_cast<unsigned>(dateTime.month)},
                                       std::chrono::day{static_cast<unsigned>(dateTime.day)}};
}

// Reads exactly `width` digits at `at`.
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t width)
{
    if (at + width > text.size())
        return std::nullopt;
    int value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return std::nullopt;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

} // namespace

std::string storedDateTime(const DateTime &dateTime)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", dateTime.year, dateTime.month,
                  dateTime.day, dateTime.hour, dateTime.minute, dateTime.second);
    return text;
}

std::optional<DateTime> readStoredDateTime(std::string_view text)
{
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const auto year = digits(text, 0, 4);
    const auto month = digits(text, 5, 2);
    const auto day = digits(text, 8, 2);
    const auto hour = digits(text, 11, 2);
    const auto minute = digits(text, 14, 2);
    const auto second = digits(text, 17, 2);
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year{*year},
                                           std::chrono::month{static_cast<unsigned>(*month)},
                                           std::chrono::day{static_cast<unsigned>(*day)}};
    if (!date.ok() || *hour > 23 || *minute > 59 || *second > 59)
        return std::nullopt;
    return DateTime{*year, *month, *day, *hour, *minute, *second};
}

long long daysBetween(const DateTime &from, const DateTime &to)
{
    return (calendarDay(to) - calendarDay(from)).count();
}

void runUpdateReminder(Platform &platform)
{
    const auto stored = readSetting(platform, DurationKey);
    if (!stored) {
        saveSetting(platform, DurationKey, storedDateTime(platform.now()));
        return;
    }
    // Whatever else is stored, even what is no text at all, is left alone.
    const auto last = readStoredDateTime(*stored);
    if (!last)
        return;
    const DateTime today = platform.now();
    const long long days = daysBetween(today, *last);
    if (days >= -QuietDays && days <= QuietDays)
        return;

    const MessageAnswer answer =
        platform.showMessage("There maybe an update to this software available\r"
                             "Do you want to check for an update?",
                             MessageIcon::Information, MessageButtons::YesNo);
    saveSetting(platform, DurationKey, storedDateTime(platform.now()));
    if (answer == MessageAnswer::Yes)
        openPage(platform, page::Download);
}

} // namespace pranoth
