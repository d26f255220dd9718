#pragma once

#include "chakra.h"
#include "kept_result.h"
#include "kept_session.h"
#include "platform.h"
#include "verdict.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pranoth {

// What the kept sessions and results say about the user's practice over
// weeks. Everything here is worked out again from My History whenever it is
// needed, so deleting a session undoes what it counted for, and nothing of it
// is kept anywhere else.

// ---- Holds that grow ----

// A posture's hold in a plan that grows: it starts at `startSeconds`, grows by
// `stepSeconds` each time the posture is held fully in a kept session, and
// stops at `topSeconds`.
struct HoldGrowth {
    int startSeconds = 0;
    int stepSeconds = 0;
    int topSeconds = 0;
};

// Whether a kept posture counts towards its hold's growth: held for at least
// the time planned (a session kept before plans grew has no planned time, and
// counts where it was held at least the posture's starting hold).
bool heldFully(const PracticedPosture &posture, const HoldGrowth &growth);

// How many kept sessions, started at or after `sinceUtc`, held `posture` fully.
int timesHeldFully(int posture, const HoldGrowth &growth, const std::vector<KeptSession> &sessions,
                   std::int64_t sinceUtc);

// The hold after growing `times` times: from the start, a step each time, to the top.
int grownHoldSeconds(const HoldGrowth &growth, int times);

// ---- Weeks of practice ----

// Weeks run from Monday to Sunday in the local time of the machine (the TZ
// environment variable, as the C library reads it).
struct WeekProgress {
    int goal = 0;             // sessions a week
    int sessionsThisWeek = 0; // kept sessions started this week
    int weeksInARow = 0;      // weeks that met the goal, up to this one
    bool keptToday = false;   // a session kept today
    bool metThisWeek() const { return sessionsThisWeek >= goal; }
};

// The days since 1970-01-01 of the local date at `utc`.
std::int64_t localDayNumber(std::int64_t utc);
// A local time of the platform's clock, in seconds since 1970-01-01T00:00:00Z.
std::int64_t utcSecondsOf(const DateTime &local);
// The Monday that starts the week of local day `day`, as a day number.
std::int64_t mondayOf(std::int64_t day);
// The start of local day `day` (its midnight), in seconds since 1970 UTC.
std::int64_t localMidnightUtc(std::int64_t day);

// The week's progress at `nowUtc` from the kept sessions' start times. The
// week in progress counts as met while it can still be met: while the days
// left in it, today included, are at least the sessions still to do, at one
// a day (and it has a session, or the week before it met the goal).
WeekProgress weekProgress(const std::vector<std::int64_t> &sessionStartsUtc, int goal,
                          std::int64_t nowUtc);

// "2 of 3 this week · 4 weeks in a row"; the weeks are left out while there are none.
std::string weekProgressText(const WeekProgress &progress);

// ---- Where each chakra has gone since the first kept result ----

// The chakra's verdict and bar as a result showed them.
struct ChakraReading {
    std::int64_t atUtc = 0;
    Verdict verdict = Verdict::Open;
    int percent = 0;
};

// A chakra's readings over the kept results and the result on screen, oldest
// first; only results that tested the chakra are in it.
using ChakraHistory = std::array<std::vector<ChakraReading>, ChakraCount>;

// The readings of every chakra in `results` (kept, oldest first), then in
// `current` (the result on screen, if it is not one of them) at `nowUtc`.
ChakraHistory chakraHistory(const std::vector<KeptResult> &results, const KeptResult &current);

// What a result showed of each chakra it tested.
std::array<std::optional<ChakraReading>, ChakraCount> readingsOf(const KeptResult &result);

// What the result window needs of My History, read in one go: how many
// results are kept, the first kept result that tested each chakra, and when
// each kept session started.
struct HistoryOverview {
    std::size_t keptResults = 0;
    std::array<std::optional<KeptResult>, ChakraCount> firstTesting;
    std::vector<std::int64_t> sessionStartsUtc;
};

// How a chakra moved from its first reading to its latest, and the sessions
// kept between them.
struct ChakraProgress {
    int chakra = 0;
    ChakraReading first;
    ChakraReading latest;
    int sessions = 0;
};

// Each chakra `current` tested that a kept result tested before it, in the
// chakras' order; none unless at least two results have been kept.
std::vector<ChakraProgress> chakraProgress(const HistoryOverview &history,
                                           const KeptResult &current);

// "Throat: UnderActive 25 % → Open 50 % over 6 weeks, 9 sessions", with the
// chakra's name as given; under two weeks the time is said in days.
std::string progressLine(std::string_view chakraName, const ChakraProgress &progress);

// The chakras that are not open in their latest reading, the one not open
// for longest first: for each, the time since the first of the readings in a
// row, up to the latest, that were not open. Equal times keep the chakras'
// order.
std::vector<int> longestNotOpen(const ChakraHistory &history);

} // namespace pranoth
