#pragma once

namespace pranoth {

class SqliteConnection;

// The tables of My History's file, version by version: each version is one
// step of statements that brings a file of the version before it up to date.
// The file's version is SQLite's user_version; 0 is a file with nothing in it.
namespace historySchema {

// The version this program writes; older files are brought up to it.
inline constexpr int Version = 3;

// The query every file of a known version answers, once brought up to date:
// the kept results, in the order kept.
inline constexpr const char *ReadAll = "SELECT id, kept_at, CAST(program_version AS BLOB), "
                                       "ticked, questions FROM kept_result ORDER BY id";
// The kept results that tested the chakras of bit mask ?1, in the order kept.
inline constexpr const char *FirstTesting =
    "SELECT id, kept_at, CAST(program_version AS BLOB), ticked, questions FROM kept_result "
    "WHERE ticked & ?1 ORDER BY id";
// The kept practice sessions, likewise (from version 3), and as a file of
// version 2 holds them (read only, where it could not be brought up to date).
inline constexpr const char *ReadAllSessions =
    "SELECT id, started_at, CAST(program_version AS BLOB), practised_seconds, postures, planned "
    "FROM practice_session ORDER BY id";
inline constexpr const char *ReadAllSessionsOfVersion2 =
    "SELECT id, started_at, CAST(program_version AS BLOB), practised_seconds, postures "
    "FROM practice_session ORDER BY id";

// Sets the connection up for writing (a write-ahead log, deleted rows
// overwritten, every commit on the disk before it returns) and brings the
// file's tables up to this version, each step one transaction. False when
// any of it fails; a failed step changes nothing.
bool prepareForChanges(SqliteConnection &connection);

} // namespace historySchema

} // namespace pranoth
