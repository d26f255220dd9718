#pragma once

#include "core/kept_result.h"
#include "core/kept_session.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace pranoth {

// What My History's window needs of the kept results and practice sessions,
// wherever they are kept.
// Every change returns the empty text on success, otherwise a message for the
// user; a failed change changes nothing.
class HistorySource {
public:
    virtual ~HistorySource() = default;

    // Every kept result, oldest first, read at once.
    virtual std::vector<KeptResult> keptResults() = 0;
    // Every kept practice session, oldest first.
    virtual std::vector<KeptSession> keptSessions() = 0;
    // False while results can only be looked at (or there is no history at all).
    virtual bool canChange() const = 0;
    // Why there is no history at all, and where it is kept, for the user;
    // empty when there is one.
    virtual QString whyUnavailable() const = 0;
    // A message the user has not been given yet (a history that is read-only,
    // unavailable, or a damaged file set aside), once; otherwise empty.
    virtual QString takeNotice() = 0;

    virtual QString remove(std::int64_t id) = 0;
    virtual QString removeSession(std::int64_t id) = 0;
    // Every result and every session.
    virtual QString removeAll() = 0;
};

} // namespace pranoth
