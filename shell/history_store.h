#pragma once

#include "core/practice_progress.h"
#include "ui/history_source.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace pranoth {

class SqliteConnection;
class SqliteStatement;
struct SqliteError;

// My History on this computer: the kept results and practice sessions in one
// SQLite file, history.sqlite in the user's data folder, made when the first
// one is kept, readable by its owner only.
//
// Nothing kept is ever lost to a fault: a file that is not a history this
// program can read (damaged, cut short, another program's database) is renamed
// aside with the date and time in its name and a fresh history starts; a
// history written by a newer version of the program is only read. Every keep
// and every delete is one transaction in a write-ahead log, so a program
// killed at any moment leaves every earlier result intact. Deleted results are
// overwritten, and Delete All compacts the file, so nothing deleted can be
// read back from it.
// The start times of the practice sessions kept in the history at `path`,
// read without changing anything in the file or beside it (no migration, no
// setting aside, no log files left behind); none when there is no history or
// it cannot be read.
std::vector<std::int64_t> readSessionStarts(const QString &path);

class HistoryStore : public HistorySource {
public:
    enum class State {
        Unavailable, // no folder to keep it in
        Empty,       // no file yet
        ReadWrite,
        ReadOnly, // written by a newer version
    };

    // A history kept at `path`; an empty path keeps nothing.
    explicit HistoryStore(QString path);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    State state() const { return state_; }
    QString path() const { return path_; }

    // Keeps the record and sets its id. Empty on success, else a message.
    QString keep(KeptResult &record);
    QString keepSession(KeptSession &session);

    std::vector<KeptResult> keptResults() override;
    // What a result window says of the way since the first kept result.
    HistoryOverview overview();
    std::vector<KeptSession> keptSessions() override;
    bool canChange() const override;
    QString whyUnavailable() const override;
    QString takeNotice() override;
    QString remove(std::int64_t id) override;
    QString removeSession(std::int64_t id) override;
    QString removeAll() override;

private:
    void open();
    // Opens the file; none, with SQLite's reason in `failure` when given.
    bool connect(bool readOnly, SqliteError *failure = nullptr);
    QString createFile();
    // Inserts one row in one transaction with `bind` setting the statement's
    // values, and gives its id: the empty text, or `failure` (a text with %1
    // for the reason) for the user.
    QString insertRow(const char *statement, const std::function<void(SqliteStatement &)> &bind,
                      std::int64_t &id, const char *failure);
    // Deletes the rows the statements pick (binding `id` when not 0) in one
    // transaction: the empty text, or `failure` (a text with %1 for the
    // reason) for the user.
    QString deleteRows(std::initializer_list<const char *> statements, std::int64_t id,
                       const char *failure);
    // Deletes one row with `statement`, its traces gone from the log too.
    QString deleteOne(const char *statement, std::int64_t id, const char *failure);

    QString path_;
    std::unique_ptr<SqliteConnection> connection_;
    State state_ = State::Unavailable;
    QString notice_;
    QString unavailable_; // why, while the state is Unavailable
};

} // namespace pranoth
