#include "sqlite_connection.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cstdio>

#include <utility>

namespace pranoth {

namespace {

bool exists(const std::string &path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// A path as the path of a "file:" address.
std::string uriEscaped(const std::string &path)
{
    std::string escaped;
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3 *connection, sqlite3_stmt *statement)
    : connection_(connection), statement_(statement)
{}

SqliteStatement::~SqliteStatement()
{
    sqlite3_finalize(statement_);
}

SqliteStatement::SqliteStatement(SqliteStatement &&other) noexcept
    : connection_(other.connection_), statement_(std::exchange(other.statement_, nullptr)),
      failed_(other.failed_)
{}

void SqliteStatement::bind(int parameter, std::int64_t value)
{
    sqlite3_bind_int64(statement_, parameter, value);
}

void SqliteStatement::bind(int parameter, std::string_view bytes)
{
    sqlite3_bind_blob64(statement_, parameter, bytes.data(), bytes.size(), SQLITE_TRANSIENT);
}

void SqliteStatement::bindText(int parameter, std::string_view text)
{
    sqlite3_bind_text64(statement_, parameter, text.data(), text.size(), SQLITE_TRANSIENT,
                        SQLITE_UTF8);
}

bool SqliteStatement::step()
{
    const int result = sqlite3_step(statement_);
    failed_ = result != SQLITE_ROW && result != SQLITE_DONE;
    return result == SQLITE_ROW;
}

SqliteError SqliteStatement::error() const
{
    return {sqlite3_extended_errcode(connection_), sqlite3_errmsg(connection_)};
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

bool SqliteStatement::isInteger(int column) const
{
    return sqlite3_column_type(statement_, column) == SQLITE_INTEGER;
}

std::string_view SqliteStatement::bytes(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return data ? std::string_view(data, static_cast<std::size_t>(size)) : std::string_view();
}

std::unique_ptr<SqliteConnection> SqliteConnection::open(const std::string &path, Mode mode,
                                                         int busyTimeoutMs, SqliteError &error)
{
    sqlite3 *connection = nullptr;
    int flags = (mode == Mode::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                SQLITE_OPEN_NOMUTEX;
    std::string name = path;
    // Only read, a file with no log beside it is read as it lies: no log
    // files of this connection's own are made beside it and left behind.
    if (mode == Mode::ReadOnly && !exists(path + "-wal") && !exists(path + "-journal")) {
        name = "file:" + uriEscaped(path) + "?immutable=1";
        flags |= SQLITE_OPEN_URI;
    }
    const int result = sqlite3_open_v2(name.c_str(), &connection, flags, nullptr);
    if (result != SQLITE_OK) {
        error = {connection ? sqlite3_extended_errcode(connection) : result,
                 connection ? sqlite3_errmsg(connection) : sqlite3_errstr(result)};
        sqlite3_close_v2(connection);
        return nullptr;
    }
    sqlite3_extended_result_codes(connection, 1);
    sqlite3_busy_timeout(connection, busyTimeoutMs);
    return std::unique_ptr<SqliteConnection>(new SqliteConnection(connection));
}

SqliteConnection::~SqliteConnection()
{
    sqlite3_close_v2(connection_);
}

bool SqliteConnection::execute(std::string_view sql)
{
    const std::string statements(sql);
    return sqlite3_exec(connection_, statements.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::optional<SqliteStatement> SqliteConnection::prepare(std::string_view sql)
{
    sqlite3_stmt *statement = nullptr;
    if (sqlite3_prepare_v2(connection_, sql.data(), static_cast<int>(sql.size()), &statement,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(statement);
        return std::nullopt;
    }
    return SqliteStatement(connection_, statement);
}

std::optional<std::int64_t> SqliteConnection::integer(std::string_view sql)
{
    auto statement = prepare(sql);
    if (!statement || !statement->step())
        return std::nullopt;
    return statement->integer(0);
}

std::optional<std::string> SqliteConnection::text(std::string_view sql)
{
    auto statement = prepare(sql);
    if (!statement || !statement->step())
        return std::nullopt;
    return std::string(statement->bytes(0));
}

std::int64_t SqliteConnection::lastInsertId() const
{
    return sqlite3_last_insert_rowid(connection_);
}

SqliteError SqliteConnection::error() const
{
    return {sqlite3_extended_errcode(connection_), sqlite3_errmsg(connection_)};
}

SqliteTransaction::SqliteTransaction(SqliteConnection &connection)
    : connection_(connection), begun_(connection.execute("BEGIN"))
{}

SqliteTransaction::~SqliteTransaction()
{
    // Undoes what a failed change began; should even that fail, SQLite rolls
    // the transaction back itself when the connection closes.
    if (begun_ && !done_)
        static_cast<void>(connection_.execute("ROLLBACK"));
}

bool SqliteTransaction::commit()
{
    done_ = connection_.execute("COMMIT");
    return done_;
}

} // namespace pranoth
