#pragma once

#include "chakra.h"
#include "kept_result.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pranoth {

// One posture of a practice session: the asana (its catalogue index), how
// long it was held, both sides together (0 when it was skipped), and how long
// the plan had it held (0 for a session kept before plans grew).
struct PracticedPosture {
    Int16 asana = -1;
    int heldSeconds = 0;
    int plannedSeconds = 0;
    friend bool operator==(const PracticedPosture &, const PracticedPosture &) = default;
};

// A practice session with the time it started: summed up when it ends, and
// kept in My History when the user asks.
struct KeptSession {
    std::int64_t id = 0;           // the store's number for it; 0 before it is kept
    std::int64_t startedAtUtc = 0; // seconds since 1970-01-01T00:00:00Z
    std::string programVersion;
    int practisedSeconds = 0; // pauses left out
    std::vector<PracticedPosture> postures;
    friend bool operator==(const KeptSession &, const KeptSession &) = default;
};

// The largest posture id a session may name (the catalogue's eleven, then the
// four a session adds around them), and the longest time a stored posture may
// have been held.
inline constexpr int LastAsanaIndex = 14;
inline constexpr int LongestStoredHoldSeconds = 0xFFFF;

// True when the session names postures of the catalogue, each once, with
// times a session can have: a record read from a file is trusted only then.
bool isWellFormed(const KeptSession &session);

// The postures as a store keeps them: three bytes each, in the order
// practised: the asana, then the seconds held (high byte first). Reading
// gives none for anything that is not such a form.
// The planned times are kept apart, two bytes each in the same order; a
// history written before plans grew has none, and reads as unknown.
std::string postureBytes(const std::vector<PracticedPosture> &postures);
std::string plannedBytes(const std::vector<PracticedPosture> &postures);
std::optional<std::vector<PracticedPosture>> posturesOfBytes(std::string_view bytes,
                                                             std::string_view planned = {});

// "6 min 20 s", "45 s", "2 min".
std::string durationText(int seconds);

// A posture's name by its catalogue index.
using PostureName = std::function<std::string_view(int asana)>;

// Kept results and sessions as comma-separated values (RFC 4180, UTF-8, CR LF
// line ends), oldest first: a header row, then a row each. Every row starts
// with the date and time (UTC) and has each chakra's verdict, percentage (as
// My History's table shows them) and score of 8, blank for an untested one
// and for a session; then its kind
// ("result" or "practice session"), and for a session the minutes practised
// and each posture with its time held or "skipped".
std::string keptHistoryCsv(const std::vector<KeptResult> &records,
                           const std::vector<KeptSession> &sessions,
                           const PostureName &postureName);

} // namespace pranoth
