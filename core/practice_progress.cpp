#include "practice_progress.h"

#include "assessment.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace pranoth {

namespace {

constexpr std::int64_t SecondsPerDay = 86'400;
constexpr int DaysPerWeek = 7;

// Monday-to-Sunday weeks, numbered from the one holding 1970-01-01 (a Thursday).
std::int64_t weekOfDay(std::int64_t day)
{
    constexpr std::int64_t DaysFromMonday = 3;
    const std::int64_t shifted = day + DaysFromMonday;
    return shifted >= 0 ? shifted / DaysPerWeek : -((-shifted + DaysPerWeek - 1) / DaysPerWeek);
}

// The day of the week, Monday 0 to Sunday 6.
int weekdayOfDay(std::int64_t day)
{
    return static_cast<int>(day + 3 - weekOfDay(day) * DaysPerWeek);
}

std::string plural(std::int64_t count, const char *one, const char *many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

} // namespace

bool heldFully(const PracticedPosture &posture, const HoldGrowth &growth)
{
    const int planned = posture.plannedSeconds > 0 ? posture.plannedSeconds : growth.startSeconds;
    return posture.heldSeconds > 0 && posture.heldSeconds >= planned;
}

int timesHeldFully(int posture, const HoldGrowth &growth, const std::vector<KeptSession> &sessions,
                   std::int64_t sinceUtc)
{
    return static_cast<int>(
        std::count_if(sessions.begin(), sessions.end(), [&](const KeptSession &session) {
            return session.startedAtUtc >= sinceUtc &&
                   std::any_of(session.postures.begin(), session.postures.end(),
                               [&](const PracticedPosture &practised) {
                                   return practised.asana == posture &&
                                          heldFully(practised, growth);
                               });
        }));
}

int grownHoldSeconds(const HoldGrowth &growth, int times)
{
    const std::int64_t grown =
        growth.startSeconds + std::int64_t{growth.stepSeconds} * std::max(times, 0);
    return static_cast<int>(std::clamp<std::int64_t>(
        grown, growth.startSeconds, std::max(growth.topSeconds, growth.startSeconds)));
}

std::int64_t localDayNumber(std::int64_t utc)
{
    const auto moment = static_cast<std::time_t>(utc);
    std::tm local{};
    localtime_r(&moment, &local);
    using namespace std::chrono;
    const year_month_day date{year{local.tm_year + 1900}, month{unsigned(local.tm_mon + 1)},
                              day{unsigned(local.tm_mday)}};
    return sys_days{date}.time_since_epoch().count();
}

std::int64_t utcSecondsOf(const DateTime &local)
{
    std::tm time{};
    time.tm_year = local.year - 1900;
    time.tm_mon = local.month - 1;
    time.tm_mday = local.day;
    time.tm_hour = local.hour;
    time.tm_min = local.minute;
    time.tm_sec = local.second;
    time.tm_isdst = -1; // as the zone has it on that day
    return std::mktime(&time);
}

std::int64_t mondayOf(std::int64_t day)
{
    return weekOfDay(day) * DaysPerWeek - 3;
}

std::int64_t localMidnightUtc(std::int64_t day)
{
    using namespace std::chrono;
    const year_month_day date{sys_days{days{day}}};
    return utcSecondsOf(
        {int(date.year()), int(unsigned(date.month())), int(unsigned(date.day())), 0, 0, 0});
}

WeekProgress weekProgress(const std::vector<std::int64_t> &sessionStartsUtc, int goal,
                          std::int64_t nowUtc)
{
    WeekProgress progress;
    progress.goal = std::max(goal, 1);
    const std::int64_t today = localDayNumber(nowUtc);
    const std::int64_t thisWeek = weekOfDay(today);

    // Sessions per week, counted back from this one; later sessions (a clock
    // set back) count for this week.
    std::vector<int> perWeekBack;
    for (const std::int64_t started : sessionStartsUtc) {
        const std::int64_t day = std::min(localDayNumber(started), today);
        const auto back = static_cast<std::size_t>(thisWeek - weekOfDay(day));
        if (perWeekBack.size() <= back)
            perWeekBack.resize(back + 1, 0);
        ++perWeekBack[back];
        progress.keptToday = progress.keptToday || day == today;
    }
    progress.sessionsThisWeek = perWeekBack.empty() ? 0 : perWeekBack.front();

    int weeksBefore = 0;
    for (std::size_t back = 1; back < perWeekBack.size() && perWeekBack[back] >= progress.goal;
         ++back)
        ++weeksBefore;
    // A week with nothing in it yet starts no run of weeks of its own.
    const int daysLeft = DaysPerWeek - weekdayOfDay(today);
    const bool thisWeekCounts =
        progress.metThisWeek() || (daysLeft >= progress.goal - progress.sessionsThisWeek &&
                                   (progress.sessionsThisWeek > 0 || weeksBefore > 0));
    progress.weeksInARow = thisWeekCounts ? weeksBefore + 1 : 0;
    return progress;
}

std::string weekProgressText(const WeekProgress &progress)
{
    std::string text = std::to_string(progress.sessionsThisWeek) + " of " +
                       std::to_string(progress.goal) + " this week";
    if (progress.weeksInARow > 0)
        text += " \u00b7 " + plural(progress.weeksInARow, "week", "weeks") + " in a row";
    return text;
}

std::array<std::optional<ChakraReading>, ChakraCount> readingsOf(const KeptResult &result)
{
    std::array<std::optional<ChakraReading>, ChakraCount> readings;
    const Assessment assessment = assess(result.run);
    for (int k = 0; k < ChakraCount; ++k) {
        const ChakraAssessment &chakra = assessment.chakras[asIndex(k)];
        if (chakra.tested)
            readings[asIndex(k)] =
                ChakraReading{result.keptAtUtc, chakra.verdict, chakra.barPercent};
    }
    return readings;
}

ChakraHistory chakraHistory(const std::vector<KeptResult> &results, const KeptResult &current)
{
    ChakraHistory history;
    const auto add = [&history](const KeptResult &result) {
        const auto readings = readingsOf(result);
        for (int k = 0; k < ChakraCount; ++k) {
            if (readings[asIndex(k)])
                history[asIndex(k)].push_back(*readings[asIndex(k)]);
        }
    };
    for (const KeptResult &result : results)
        add(result);
    const bool currentKept =
        current.id != 0 && std::any_of(results.begin(), results.end(), [&](const KeptResult &kept) {
            return kept.id == current.id;
        });
    if (!currentKept)
        add(current);
    return history;
}

std::vector<ChakraProgress> chakraProgress(const HistoryOverview &history,
                                           const KeptResult &current)
{
    std::vector<ChakraProgress> moved;
    if (history.keptResults < 2)
        return moved;
    const auto latest = readingsOf(current);
    for (int k = 0; k < ChakraCount; ++k) {
        const std::optional<KeptResult> &first = history.firstTesting[asIndex(k)];
        if (!latest[asIndex(k)] || !first || first->id == current.id ||
            first->keptAtUtc > current.keptAtUtc)
            continue;
        const auto firstReadings = readingsOf(*first);
        if (!firstReadings[asIndex(k)])
            continue;
        ChakraProgress progress{k, *firstReadings[asIndex(k)], *latest[asIndex(k)], 0};
        progress.sessions = static_cast<int>(std::count_if(
            history.sessionStartsUtc.begin(), history.sessionStartsUtc.end(),
            [&](std::int64_t started) {
                return started >= progress.first.atUtc && started <= progress.latest.atUtc;
            }));
        moved.push_back(progress);
    }
    return moved;
}

std::string progressLine(std::string_view chakraName, const ChakraProgress &progress)
{
    constexpr std::int64_t DaysShownAsDays = 14;
    const std::int64_t days =
        std::max<std::int64_t>(0, (progress.latest.atUtc - progress.first.atUtc) / SecondsPerDay);
    const std::string over = days < DaysShownAsDays ? plural(days, "day", "days")
                                                    : plural(days / DaysPerWeek, "week", "weeks");
    const auto reading = [](const ChakraReading &at) {
        return std::string(verdictName(at.verdict)) + " " + std::to_string(at.percent) + " %";
    };
    return std::string(chakraName) + ": " + reading(progress.first) + " \u2192 " +
           reading(progress.latest) + " over " + over + ", " +
           plural(progress.sessions, "session", "sessions");
}

std::vector<int> longestNotOpen(const ChakraHistory &history)
{
    struct NotOpen {
        int chakra;
        std::int64_t since;
    };
    std::vector<NotOpen> notOpen;
    for (int k = 0; k < ChakraCount; ++k) {
        const std::vector<ChakraReading> &readings = history[asIndex(k)];
        if (readings.empty() || readings.back().verdict == Verdict::Open)
            continue;
        auto first = readings.rbegin();
        while (std::next(first) != readings.rend() && std::next(first)->verdict != Verdict::Open)
            ++first;
        notOpen.push_back({k, first->atUtc});
    }
    std::stable_sort(notOpen.begin(), notOpen.end(),
                     [](const NotOpen &a, const NotOpen &b) { return a.since < b.since; });
    std::vector<int> chakras(notOpen.size());
    std::transform(notOpen.begin(), notOpen.end(), chakras.begin(),
                   [](const NotOpen &entry) { return entry.chakra; });
    return chakras;
}

} // namespace pranoth
