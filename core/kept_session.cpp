#include "kept_session.h"

#include "assessment.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace pranoth {

namespace {

std::string csvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

constexpr std::size_t BytesPerPosture = 3;
constexpr std::size_t BytesPerPlanned = 2;

} // namespace

bool isWellFormed(const KeptSession &session)
{
    // A counter-pose may come twice in a session (the child's pose after the
    // prone backbends and after the camel).
    const bool postures = std::all_of(
        session.postures.begin(), session.postures.end(), [](const PracticedPosture &posture) {
            return posture.asana >= 0 && posture.asana <= LastAsanaIndex &&
                   posture.heldSeconds >= 0 && posture.heldSeconds <= LongestStoredHoldSeconds &&
                   posture.plannedSeconds >= 0 &&
                   posture.plannedSeconds <= LongestStoredHoldSeconds;
        });
    return postures && !session.postures.empty() && session.practisedSeconds >= 0;
}

std::string postureBytes(const std::vector<PracticedPosture> &postures)
{
    std::string bytes;
    bytes.reserve(postures.size() * BytesPerPosture);
    for (const PracticedPosture &posture : postures) {
        const int held = std::clamp(posture.heldSeconds, 0, LongestStoredHoldSeconds);
        bytes += static_cast<char>(posture.asana);
        bytes += static_cast<char>(held >> 8);
        bytes += static_cast<char>(held & 0xFF);
    }
    return bytes;
}

std::string plannedBytes(const std::vector<PracticedPosture> &postures)
{
    std::string bytes;
    bytes.reserve(postures.size() * BytesPerPlanned);
    for (const PracticedPosture &posture : postures) {
        const int planned = std::clamp(posture.plannedSeconds, 0, LongestStoredHoldSeconds);
        bytes += static_cast<char>(planned >> 8);
        bytes += static_cast<char>(planned & 0xFF);
    }
    return bytes;
}

std::optional<std::vector<PracticedPosture>> posturesOfBytes(std::string_view bytes,
                                                             std::string_view planned)
{
    if (bytes.size() % BytesPerPosture != 0)
        return std::nullopt;
    const std::size_t count = bytes.size() / BytesPerPosture;
    const bool withPlanned = !planned.empty();
    if (withPlanned && planned.size() != count * BytesPerPlanned)
        return std::nullopt;
    std::vector<PracticedPosture> postures;
    postures.reserve(count);
    const auto byte = [](std::string_view from, std::size_t at) {
        return static_cast<unsigned char>(from[at]);
    };
    for (std::size_t index = 0; index < count; ++index) {
        const std::size_t at = index * BytesPerPosture;
        if (byte(bytes, at) > LastAsanaIndex)
            return std::nullopt;
        const std::size_t plan = index * BytesPerPlanned;
        postures.push_back({static_cast<Int16>(byte(bytes, at)),
                            byte(bytes, at + 1) << 8 | byte(bytes, at + 2),
                            withPlanned ? byte(planned, plan) << 8 | byte(planned, plan + 1) : 0});
    }
    return postures;
}

std::string durationText(int seconds)
{
    const int minutes = seconds / 60;
    const int rest = seconds % 60;
    if (minutes == 0)
        return std::to_string(rest) + " s";
    if (rest == 0)
        return std::to_string(minutes) + " min";
    return std::to_string(minutes) + " min " + std::to_string(rest) + " s";
}

std::string keptHistoryCsv(const std::vector<KeptResult> &records,
                           const std::vector<KeptSession> &sessions, const PostureName &postureName)
{
    constexpr std::string_view End = "\r\n";
    std::string csv = csvField("Date and time (UTC)");
    for (int k = 0; k < ChakraCount; ++k) {
        const std::string title(ChakraTitles[asIndex(k)]);
        for (const char *column : {" verdict", " percent", " score (of 8)"})
            csv += ',' + csvField(title + column);
    }
    csv += ",Kind,Minutes practised,Postures";
    csv += End;

    const auto result = [&csv](const KeptResult &record) {
        csv += csvField(isoUtc(record.keptAtUtc));
        const Assessment assessment = assess(record.run);
        for (const ChakraAssessment &chakra : assessment.chakras) {
            if (chakra.tested)
                csv += ',' + csvField(verdictName(chakra.verdict)) + ',' +
                       std::to_string(chakra.barPercent) + ',' + std::to_string(chakra.score());
            else
                csv += ",,,";
        }
        csv += ",result,,";
    };
    const auto session = [&csv, &postureName](const KeptSession &kept) {
        csv += csvField(isoUtc(kept.startedAtUtc));
        csv += std::string(asIndex(3 * ChakraCount), ',');
        char minutes[32];
        std::snprintf(minutes, sizeof minutes, "%.1f", kept.practisedSeconds / 60.0);
        std::string postures;
        for (const PracticedPosture &posture : kept.postures) {
            if (!postures.empty())
                postures += "; ";
            postures += postureName ? std::string(postureName(posture.asana))
                                    : std::to_string(posture.asana);
            postures += ' ';
            postures += posture.heldSeconds > 0 ? durationText(posture.heldSeconds) : "skipped";
        }
        csv += ",practice session," + std::string(minutes) + ',' + csvField(postures);
    };

    // Both oldest first, merged by time.
    auto r = records.begin();
    auto s = sessions.begin();
    while (r != records.end() || s != sessions.end()) {
        if (s == sessions.end() || (r != records.end() && r->keptAtUtc <= s->startedAtUtc))
            result(*r++);
        else
            session(*s++);
        csv += End;
    }
    return csv;
}

} // namespace pranoth
