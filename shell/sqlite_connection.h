#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace pranoth {

// What SQLite said of a failed call: its extended result code and message.
struct SqliteError {
    int code = 0;
    std::string message;
};

// A prepared statement; finalised when it goes.
class SqliteStatement {
public:
    SqliteStatement(sqlite3 *connection, sqlite3_stmt *statement);
    ~SqliteStatement();
    SqliteStatement(SqliteStatement &&other) noexcept;
    SqliteStatement &operator=(SqliteStatement &&) = delete;
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    // Parameters are numbered from 1.
    void bind(int parameter, std::int64_t value);
    void bind(int parameter, std::string_view bytes); // as a blob
    void bindText(int parameter, std::string_view text);

    // Runs to the next row: true while there is one; false at the end, or
    // on an error (then `error()` says which).
    bool step();
    bool failed() const { return failed_; }
    SqliteError error() const;

    // Columns of the current row, numbered from 0.
    std::int64_t integer(int column) const;
    bool isInteger(int column) const;
    // A column's bytes, valid until the next step.
    std::string_view bytes(int column) const;

private:
    sqlite3 *connection_;
    sqlite3_stmt *statement_;
    bool failed_ = false;
};

// One connection to an SQLite file, closed when it goes.
class SqliteConnection {
public:
    enum class Mode { ReadOnly, ReadWrite };

    // Opens an existing file; none, with SQLite's reason in `error`, when it
    // cannot be opened. `busyTimeoutMs` is how long a change waits for
    // another program that holds the file.
    static std::unique_ptr<SqliteConnection> open(const std::string &path, Mode mode,
                                                  int busyTimeoutMs, SqliteError &error);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection &) = delete;
    SqliteConnection &operator=(const SqliteConnection &) = delete;

    // Runs statements that return no rows; false on the first that fails.
    bool execute(std::string_view sql);
    // The first column of the first row of a query, as an integer or text.
    std::optional<std::int64_t> integer(std::string_view sql);
    std::optional<std::string> text(std::string_view sql);
    // None when the statement cannot be prepared.
    std::optional<SqliteStatement> prepare(std::string_view sql);

    std::int64_t lastInsertId() const;
    // The last failure on this connection.
    SqliteError error() const;

private:
    explicit SqliteConnection(sqlite3 *connection) : connection_(connection) {}
    sqlite3 *connection_;
};

// Runs its work as one transaction: begun when made, rolled back when it goes
// uncommitted.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteConnection &connection);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction &) = delete;
    SqliteTransaction &operator=(const SqliteTransaction &) = delete;

    bool begun() const { return begun_; }
    bool commit();

private:
    SqliteConnection &connection_;
    bool begun_;
    bool done_ = false;
};

} // namespace pranoth
