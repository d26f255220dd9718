#include "history_store.h"

#include "history_recovery.h"
#include "history_schema.h"
#include "sqlite_connection.h"
#include "user_folders.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <limits>

namespace pranoth {

namespace {

// How long a change waits for another program that holds the file.
constexpr int BusyTimeoutMs = 1000;

// SQLite's result codes, as the user is told them.
QString reasonOf(const SqliteError &error)
{
    switch (error.code & 0xFF) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QCoreApplication::translate(
            "HistoryStore", "another program is using the history file; please try again in a "
                            "moment.");
    case 8:  // SQLITE_READONLY
    case 23: // SQLITE_AUTH
        return QCoreApplication::translate("HistoryStore",
                                           "the history file cannot be written to.");
    case 13: // SQLITE_FULL
        return QCoreApplication::translate("HistoryStore", "the disk is full.");
    case 14: // SQLITE_CANTOPEN
        return QCoreApplication::translate("HistoryStore", "the history file cannot be opened.");
    default:
        break;
    }
    // A write cut short by a full disk or a file size limit comes back as an
    // input/output error.
    return QCoreApplication::translate("HistoryStore",
                                       "the disk reported an error (%1); it may be full.")
        .arg(QString::fromStdString(error.message));
}

// After a table is read to its end, tells the user in `notice` why the read
// stopped early, or how many rows it left out (`skipped`, with %n).
void noteReading(QString &notice, const SqliteStatement &query, int unreadable, const char *skipped)
{
    if (query.failed())
        notice = QCoreApplication::translate("HistoryStore",
                                             "My History could not be read to the end: %1")
                     .arg(QString::fromStdString(query.error().message));
    else if (unreadable > 0)
        notice = QCoreApplication::translate("HistoryStore", skipped, nullptr, unreadable);
}

} // namespace

std::vector<std::int64_t> readSessionStarts(const QString &path)
{
    std::vector<std::int64_t> starts;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return starts;
    SqliteError error;
    const auto connection =
        SqliteConnection::open(QFile::encodeName(path).toStdString(),
                               SqliteConnection::Mode::ReadOnly, BusyTimeoutMs, error);
    if (!connection)
        return starts;
    // A history from before sessions were kept has no such table.
    auto query = connection->prepare("SELECT started_at FROM practice_session");
    while (query && query->step()) {
        if (query->isInteger(0))
            starts.push_back(query->integer(0));
    }
    return starts;
}

HistoryStore::HistoryStore(QString path) : path_(std::move(path))
{
    open();
}

HistoryStore::~HistoryStore() = default;

bool HistoryStore::connect(bool readOnly, SqliteError *failure)
{
    SqliteError error;
    connection_ = SqliteConnection::open(QFile::encodeName(path_).toStdString(),
                                         readOnly ? SqliteConnection::Mode::ReadOnly
                                                  : SqliteConnection::Mode::ReadWrite,
                                         BusyTimeoutMs, error);
    if (!connection_ && failure)
        *failure = error;
    return connection_ != nullptr;
}

void HistoryStore::open()
{
    if (path_.isEmpty()) {
        state_ = State::Unavailable;
        unavailable_ = QCoreApplication::translate(
            "HistoryStore", "My History is not available: there is no home folder to keep it "
                            "in.");
        return;
    }
    const QFileInfo info(path_);
    if (!info.exists()) {
        state_ = State::Empty;
        return;
    }
    if (!info.isFile()) {
        state_ = State::Unavailable;
        unavailable_ = QCoreApplication::translate(
                           "HistoryStore",
                           "My History is not available: it is kept in the file %1, and what is "
                           "there now is not a file (a folder, a pipe or a device).")
                           .arg(path_);
        return;
    }

    switch (historyRecovery::examine(path_)) {
    case historyRecovery::Condition::Newer:
        state_ = connect(true) ? State::ReadOnly : State::Unavailable;
        notice_ = QCoreApplication::translate(
            "HistoryStore", "My History was kept by a newer version of Pranoth. You can look at "
                            "it, but nothing can be kept in it or deleted from it until you use "
                            "that version again.");
        return;
    case historyRecovery::Condition::Broken:
        if (const QString aside = historyRecovery::setAside(path_); aside.isEmpty()) {
            state_ = State::Unavailable;
            unavailable_ =
                QCoreApplication::translate(
                    "HistoryStore",
                    "My History is not available: %1 cannot be read, and it could not be "
                    "moved aside to start a fresh history.")
                    .arg(path_);
        } else {
            state_ = State::Empty;
            notice_ = QCoreApplication::translate(
                          "HistoryStore",
                          "My History could not be read, so a fresh history has started. The old "
                          "file has been kept, untouched, as %1.")
                          .arg(aside);
        }
        return;
    case historyRecovery::Condition::Fresh:
        state_ = State::Empty; // an empty file: nothing to lose, made ready at the first keep
        return;
    case historyRecovery::Condition::Current:
        break;
    }
    createPrivateFile(path_);
    if (!connect(false) || !historySchema::prepareForChanges(*connection_)) {
        state_ = connect(true) ? State::ReadOnly : State::Unavailable;
        notice_ = QCoreApplication::translate(
            "HistoryStore", "My History can only be looked at: it could not be opened for "
                            "changes.");
        return;
    }
    state_ = State::ReadWrite;
}

QString HistoryStore::createFile()
{
    const QString folder = QFileInfo(path_).absolutePath();
    if (!makePrivateFolders(folder))
        return QCoreApplication::translate("HistoryStore", "the folder %1 cannot be made.")
            .arg(folder);
    // A new history is made whole under a draft name and only then put in
    // place: a program killed while making it leaves no half-made history (a
    // first write caught in its journal would be read as a damaged file), only
    // a draft that the next keep starts again. Nothing is kept at the place
    // yet, and no log left there may be applied to the new file.
    const QString draft = path_ + QStringLiteral(".new");
    QString cannotMake =
        QCoreApplication::translate("HistoryStore", "the file %1 cannot be made.").arg(path_);
    for (const QString &part : historyRecovery::LogSuffixes) {
        QFile::remove(draft + part);
        QFile::remove(path_ + part);
    }
    QFile::remove(draft);
    // Made owner only before anything is written to it; SQLite gives its log
    // files the same permissions.
    if (!createPrivateFile(draft))
        return cannotMake;
    QString reason;
    {
        SqliteError failure;
        auto making =
            SqliteConnection::open(QFile::encodeName(draft).toStdString(),
                                   SqliteConnection::Mode::ReadWrite, BusyTimeoutMs, failure);
        if (!making)
            reason = reasonOf(failure);
        else if (!historySchema::prepareForChanges(*making))
            reason = reasonOf(making->error());
        // Closed here: its log is written into it and removed.
    }
    // In place of whatever lies there: an empty file at most.
    if (reason.isEmpty() && std::rename(QFile::encodeName(draft).constData(),
                                        QFile::encodeName(path_).constData()) != 0)
        reason = cannotMake;
    if (SqliteError failure; reason.isEmpty() && !connect(false, &failure))
        reason = reasonOf(failure);
    else if (reason.isEmpty() && !historySchema::prepareForChanges(*connection_))
        reason = reasonOf(connection_->error());
    if (!reason.isEmpty()) {
        connection_.reset();
        QFile::remove(draft);
        return reason;
    }
    state_ = State::ReadWrite;
    return {};
}

QString HistoryStore::insertRow(const char *statement,
                                const std::function<void(SqliteStatement &)> &bind,
                                std::int64_t &id, const char *failure)
{
    const auto failed = [failure](const QString &reason) {
        return QCoreApplication::translate("HistoryStore", failure).arg(reason);
    };
    switch (state_) {
    case State::Unavailable:
        return failed(unavailable_);
    case State::ReadOnly:
        return failed(QCoreApplication::translate(
            "HistoryStore", "My History was kept by a newer version of Pranoth."));
    case State::Empty:
        if (const QString reason = createFile(); !reason.isEmpty())
            return failed(reason);
        break;
    case State::ReadWrite:
        break;
    }
    SqliteTransaction transaction(*connection_);
    if (!transaction.begun())
        return failed(reasonOf(connection_->error()));
    auto insert = connection_->prepare(statement);
    if (!insert)
        return failed(reasonOf(connection_->error()));
    bind(*insert);
    insert->step();
    if (insert->failed())
        return failed(reasonOf(insert->error()));
    const std::int64_t inserted = connection_->lastInsertId();
    if (!transaction.commit())
        return failed(reasonOf(connection_->error()));
    id = inserted;
    return {};
}

QString HistoryStore::keep(KeptResult &record)
{
    return insertRow(
        "INSERT INTO kept_result (kept_at, program_version, ticked, questions) "
        "VALUES (?, ?, ?, ?)",
        [&record](SqliteStatement &insert) {
            insert.bind(1, record.keptAtUtc);
            insert.bindText(2, record.programVersion);
            insert.bind(3, testedBits(record.run.tested));
            insert.bind(4, questionBytes(record.run.questions));
        },
        record.id,
        QT_TRANSLATE_NOOP("HistoryStore", "The result could not be kept in My History: %1 "
                                          "Nothing kept earlier has changed."));
}

QString HistoryStore::keepSession(KeptSession &session)
{
    return insertRow(
        "INSERT INTO practice_session (started_at, program_version, practised_seconds, "
        "postures, planned) VALUES (?, ?, ?, ?, ?)",
        [&session](SqliteStatement &insert) {
            insert.bind(1, session.startedAtUtc);
            insert.bindText(2, session.programVersion);
            insert.bind(3, std::int64_t{session.practisedSeconds});
            insert.bind(4, postureBytes(session.postures));
            insert.bind(5, plannedBytes(session.postures));
        },
        session.id,
        QT_TRANSLATE_NOOP("HistoryStore", "The practice session could not be kept in My "
                                          "History: %1 Nothing kept earlier has changed."));
}

namespace {

// A row of the kept results' query, where it is a result this program can show.
std::optional<KeptResult> resultOfRow(const SqliteStatement &query)
{
    KeptResult record;
    record.id = query.integer(0);
    record.keptAtUtc = query.integer(1);
    record.programVersion = std::string(query.bytes(2));
    const auto tested = query.isInteger(3) ? testedOfBits(query.integer(3)) : std::nullopt;
    auto questions = questionsOfBytes(query.bytes(4));
    if (!tested || !questions)
        return std::nullopt;
    record.run.tested = *tested;
    record.run.questions = std::move(*questions);
    if (!isWellFormed(record))
        return std::nullopt;
    return record;
}

} // namespace

HistoryOverview HistoryStore::overview()
{
    HistoryOverview overview;
    if (state_ != State::ReadWrite && state_ != State::ReadOnly)
        return overview;
    if (const auto count = connection_->integer("SELECT COUNT(*) FROM kept_result"))
        overview.keptResults = static_cast<std::size_t>(std::max<std::int64_t>(*count, 0));
    // The first of each chakra is found by SQLite, which stops at it: no
    // result after it is read.
    for (int k = 0; k < ChakraCount; ++k) {
        auto query = connection_->prepare(historySchema::FirstTesting);
        if (!query)
            break;
        query->bind(1, std::int64_t{1} << k);
        while (query->step()) {
            if (auto record = resultOfRow(*query)) {
                overview.firstTesting[asIndex(k)] = std::move(record);
                break;
            }
        }
    }
    if (auto query = connection_->prepare("SELECT started_at FROM practice_session")) {
        while (query->step())
            overview.sessionStartsUtc.push_back(query->integer(0));
    }
    return overview;
}

std::vector<KeptResult> HistoryStore::keptResults()
{
    std::vector<KeptResult> records;
    if (state_ != State::ReadWrite && state_ != State::ReadOnly)
        return records;
    // One query, read straight from SQLite's own buffers: thousands of results
    // are read in a few milliseconds.
    auto query = connection_->prepare(historySchema::ReadAll);
    if (!query) {
        notice_ = QCoreApplication::translate("HistoryStore", "My History could not be read: %1")
                      .arg(QString::fromStdString(connection_->error().message));
        return records;
    }
    int unreadable = 0;
    while (query->step()) {
        if (std::optional<KeptResult> record = resultOfRow(*query))
            records.push_back(std::move(*record));
        else
            ++unreadable;
    }
    noteReading(notice_, *query, unreadable,
                QT_TRANSLATE_NOOP("HistoryStore",
                                  "%n kept result(s) could not be read and are not shown."));
    // Kept one after another, so nearly always in time order already; a clock
    // set back is put right here.
    const auto byTime = [](const KeptResult &a, const KeptResult &b) {
        return a.keptAtUtc < b.keptAtUtc;
    };
    if (!std::is_sorted(records.begin(), records.end(), byTime))
        std::stable_sort(records.begin(), records.end(), byTime);
    return records;
}

bool HistoryStore::canChange() const
{
    return state_ == State::ReadWrite;
}

QString HistoryStore::whyUnavailable() const
{
    return state_ == State::Unavailable ? unavailable_ : QString();
}

QString HistoryStore::takeNotice()
{
    return std::exchange(notice_, QString());
}

std::vector<KeptSession> HistoryStore::keptSessions()
{
    std::vector<KeptSession> sessions;
    if (state_ != State::ReadWrite && state_ != State::ReadOnly)
        return sessions;
    const bool withPlanned = connection_->prepare(historySchema::ReadAllSessions).has_value();
    auto query = connection_->prepare(withPlanned ? historySchema::ReadAllSessions
                                                  : historySchema::ReadAllSessionsOfVersion2);
    if (!query)
        return sessions; // a file from before sessions were kept
    int unreadable = 0;
    while (query->step()) {
        KeptSession session;
        session.id = query->integer(0);
        session.startedAtUtc = query->integer(1);
        session.programVersion = std::string(query->bytes(2));
        const std::int64_t practised = query->isInteger(3) ? query->integer(3) : -1;
        auto postures =
            posturesOfBytes(query->bytes(4), withPlanned ? query->bytes(5) : std::string_view());
        if (postures && practised >= 0 && practised <= std::numeric_limits<int>::max()) {
            session.practisedSeconds = static_cast<int>(practised);
            session.postures = std::move(*postures);
        }
        if (!isWellFormed(session)) {
            ++unreadable;
            continue;
        }
        sessions.push_back(std::move(session));
    }
    noteReading(
        notice_, *query, unreadable,
        QT_TRANSLATE_NOOP("HistoryStore",
                          "%n kept practice session(s) could not be read and are not shown."));
    std::stable_sort(
        sessions.begin(), sessions.end(),
        [](const KeptSession &a, const KeptSession &b) { return a.startedAtUtc < b.startedAtUtc; });
    return sessions;
}

QString HistoryStore::deleteRows(std::initializer_list<const char *> statements, std::int64_t id,
                                 const char *failure)
{
    if (state_ != State::ReadWrite)
        return QCoreApplication::translate("HistoryStore",
                                           "Nothing can be deleted from this history.");
    const auto failed = [failure](const SqliteError &error) {
        return QCoreApplication::translate("HistoryStore", failure).arg(reasonOf(error));
    };
    SqliteTransaction transaction(*connection_);
    if (!transaction.begun())
        return failed(connection_->error());
    for (const char *statement : statements) {
        auto query = connection_->prepare(statement);
        if (!query)
            return failed(connection_->error());
        if (id != 0)
            query->bind(1, id);
        query->step();
        if (query->failed())
            return failed(query->error());
    }
    if (!transaction.commit())
        return failed(connection_->error());
    return {};
}

QString HistoryStore::deleteOne(const char *statement, std::int64_t id, const char *failure)
{
    if (QString failed = deleteRows({statement}, id, failure); !failed.isEmpty())
        return failed;
    // The log still holds the deleted pages until they are copied back; the
    // rows themselves are already overwritten (secure_delete).
    static_cast<void>(connection_->execute("PRAGMA wal_checkpoint(TRUNCATE)"));
    return {};
}

QString HistoryStore::remove(std::int64_t id)
{
    return deleteOne("DELETE FROM kept_result WHERE id = ?", id,
                     QT_TRANSLATE_NOOP("HistoryStore", "The result could not be deleted: %1"));
}

QString HistoryStore::removeSession(std::int64_t id)
{
    return deleteOne(
        "DELETE FROM practice_session WHERE id = ?", id,
        QT_TRANSLATE_NOOP("HistoryStore", "The practice session could not be deleted: %1"));
}

QString HistoryStore::removeAll()
{
    if (state_ == State::Empty)
        return {};
    if (QString failure =
            deleteRows({"DELETE FROM kept_result", "DELETE FROM practice_session"}, 0,
                       QT_TRANSLATE_NOOP("HistoryStore", "The results could not be deleted: %1"));
        !failure.isEmpty())
        return failure;
    // Deleted, and now gone from the file and its log too.
    static_cast<void>(connection_->execute("VACUUM"));
    static_cast<void>(connection_->execute("PRAGMA wal_checkpoint(TRUNCATE)"));
    return {};
}

} // namespace pranoth
