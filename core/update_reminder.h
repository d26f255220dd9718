#pragma once

#include "core/platform.h"

#include <optional>
#include <string>
#include <string_view>

namespace pranoth {

// A date-time as the reminder stores it: ISO 8601, "2026-12-07T09:30:00",
// which reads back as the same day whatever the locale.
std::string storedDateTime(const DateTime &dateTime);
// The stored form read back; none for any text that is not a valid one.
std::optional<DateTime> readStoredDateTime(std::string_view text);

// Calendar days from `from` to `to`, ignoring the time of day.
long long daysBetween(const DateTime &from, const DateTime &to);

// At start-up: when the last reminder is more than fourteen days away, asks
// whether to look for an update and opens the download page on Yes.
void runUpdateReminder(Platform &platform);

} // namespace pranoth
