#include "history_schema.h"

#include "sqlite_connection.h"

#include <string>

namespace pranoth::historySchema {

namespace {

struct SchemaStep {
    int version;
    const char *statements;
};

// A new version is one more step at the end.
constexpr SchemaStep Steps[] = {
    {1, "CREATE TABLE kept_result ("
        " id INTEGER PRIMARY KEY,"
        " kept_at INTEGER NOT NULL," // seconds since 1970-01-01T00:00:00Z
        " program_version TEXT NOT NULL,"
        " ticked INTEGER NOT NULL,"   // chakra k tested: bit k
        " questions BLOB NOT NULL)"}, // a byte each: bank number * 4 + answer
    {2, "CREATE TABLE practice_session ("
        " id INTEGER PRIMARY KEY,"
        " started_at INTEGER NOT NULL," // seconds since 1970-01-01T00:00:00Z
        " program_version TEXT NOT NULL,"
        " practised_seconds INTEGER NOT NULL," // pauses left out
        " postures BLOB NOT NULL)"},           // three bytes each: asana, seconds held
    // Two bytes a posture, in the order of `postures`: the seconds planned.
    {3, "ALTER TABLE practice_session ADD COLUMN planned BLOB NOT NULL DEFAULT x''"},
};

} // namespace

bool prepareForChanges(SqliteConnection &connection)
{
    if (connection.text("PRAGMA journal_mode=WAL") != "wal" ||
        !connection.execute("PRAGMA secure_delete=ON") ||
        !connection.execute("PRAGMA synchronous=FULL"))
        return false;
    const std::optional<std::int64_t> version = connection.integer("PRAGMA user_version");
    if (!version)
        return false;
    for (const SchemaStep &step : Steps) {
        if (step.version <= *version)
            continue;
        SqliteTransaction transaction(connection);
        if (!transaction.begun() || !connection.execute(step.statements) ||
            !connection.execute("PRAGMA user_version=" + std::to_string(step.version)) ||
            !transaction.commit())
            return false;
    }
    return true;
}

} // namespace pranoth::historySchema
