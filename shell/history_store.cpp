#include "history_store.h"

#include "user_folders.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <atomic>
#include <sqlite3.h>
#include <sys/stat.h>

namespace pranoth {

namespace {

// Undoes what a failed change began; should even that fail, SQLite rolls the
// transaction back itself when the connection closes.
void rollBack(QSqlDatabase &db)
{
    static_cast<void>(db.rollback());
}

// One step of the schema: the statements that bring a history of the version
// before it up to `version`. A new version is one more step at the end.
struct SchemaStep {
    int version;
    QStringList statements;
};

const std::vector<SchemaStep> &schemaSteps()
{
    static const std::vector<SchemaStep> steps = {
        {1,
         {QStringLiteral("CREATE TABLE kept_result ("
                         " id INTEGER PRIMARY KEY,"
                         " kept_at INTEGER NOT NULL," // seconds since 1970-01-01T00:00:00Z
                         " program_version TEXT NOT NULL,"
                         " ticked INTEGER NOT NULL,"     // chakra k ticked: bit k
                         " questions BLOB NOT NULL)")}}, // a byte each: bank number * 4 + answer
    };
    return steps;
}

// What every history of a known version holds, once brought up to date.
const QString ReadAll = QStringLiteral("SELECT id, kept_at, CAST(program_version AS BLOB), "
                                       "ticked, questions FROM kept_result ORDER BY id");

// How long a change waits for another program that holds the file.
const QString BusyTimeout = QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000");

QString connectionName()
{
    static std::atomic<int> next{0};
    return QStringLiteral("pranoth-history-%1").arg(++next);
}

// SQLite's result codes, as the driver reports them.
QString reasonOf(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt();
    switch (code & 0xFF) {
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
        .arg(error.text());
}

QString keepFailure(const QString &reason)
{
    return QCoreApplication::translate(
               "HistoryStore",
               "The result could not be kept in My History: %1 Nothing kept earlier has "
               "changed.")
        .arg(reason);
}

} // namespace

HistoryStore::HistoryStore(QString path) : path_(std::move(path)), connection_(connectionName())
{
    open();
}

HistoryStore::~HistoryStore()
{
    closeConnection();
}

QString HistoryStore::userFile()
{
    return userHistoryFile();
}

QSqlDatabase HistoryStore::database() const
{
    return QSqlDatabase::database(connection_, false);
}

bool HistoryStore::openConnection(bool readOnly)
{
    closeConnection();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
    db.setDatabaseName(path_);
    db.setConnectOptions(readOnly ? BusyTimeout + QStringLiteral(";QSQLITE_OPEN_READONLY")
                                  : BusyTimeout);
    return db.open();
}

void HistoryStore::closeConnection()
{
    if (!QSqlDatabase::contains(connection_))
        return;
    {
        QSqlDatabase db = database();
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connection_);
}

void HistoryStore::open()
{
    if (path_.isEmpty()) {
        state_ = State::Unavailable;
        notice_ = QCoreApplication::translate(
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
        notice_ = QCoreApplication::translate("HistoryStore",
                                              "My History is not available: %1 is not a file.")
                      .arg(path_);
        return;
    }

    // A first look that cannot change the file, whatever it holds.
    enum class Kind { Fresh, Current, Newer, Broken };
    Kind kind = Kind::Broken;
    if (openConnection(true)) {
        QSqlQuery query(database());
        if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next()) {
            const int version = query.value(0).toInt();
            QSqlQuery tables(database());
            const bool anyTable =
                tables.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) &&
                tables.next() && tables.value(0).toInt() > 0;
            QSqlQuery check(database());
            const bool sound = check.exec(QStringLiteral("PRAGMA quick_check")) && check.next() &&
                               check.value(0).toString() == QLatin1String("ok");
            QSqlQuery shape(database());
            if (!sound)
                kind = Kind::Broken;
            else if (version > SchemaVersion)
                kind = Kind::Newer;
            else if (version == 0)
                kind = anyTable ? Kind::Broken : Kind::Fresh;
            else
                kind =
                    shape.exec(ReadAll + QStringLiteral(" LIMIT 0")) ? Kind::Current : Kind::Broken;
        }
    }
    closeConnection();

    switch (kind) {
    case Kind::Newer:
        state_ = openConnection(true) ? State::ReadOnly : State::Unavailable;
        notice_ = QCoreApplication::translate(
            "HistoryStore", "My History was kept by a newer version of Pranoth. You can look at "
                            "it, but nothing can be kept in it or deleted from it until you use "
                            "that version again.");
        return;
    case Kind::Broken:
        notice_ = setAside();
        return;
    case Kind::Fresh:
        state_ = State::Empty; // an empty file: nothing to lose, made ready at the first keep
        return;
    case Kind::Current:
        break;
    }
    ::chmod(QFile::encodeName(path_).constData(), S_IRUSR | S_IWUSR);
    if (!openConnection(false) || !migrate()) {
        closeConnection();
        state_ = openConnection(true) ? State::ReadOnly : State::Unavailable;
        notice_ = QCoreApplication::translate(
            "HistoryStore", "My History can only be looked at: it could not be opened for "
                            "changes.");
        return;
    }
    state_ = State::ReadWrite;
}

QString HistoryStore::setAside()
{
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    QString aside = path_ + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path_ + QStringLiteral(".broken-") + stamp + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(path_, aside)) {
        state_ = State::Unavailable;
        return QCoreApplication::translate(
                   "HistoryStore",
                   "My History is not available: %1 cannot be read, and it could not be "
                   "moved aside to start a fresh history.")
            .arg(path_);
    }
    // Its log belongs to it, not to the fresh history.
    for (const QString &part : {QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo::exists(path_ + part))
            QFile::rename(path_ + part, aside + part);
    }
    state_ = State::Empty;
    return QCoreApplication::translate(
               "HistoryStore",
               "My History could not be read, so a fresh history has started. The old "
               "file has been kept, untouched, as %1.")
        .arg(aside);
}

QString HistoryStore::createFile()
{
    // Folders missing on the way, $XDG_DATA_HOME among them, are made owner only.
    const QString folder = QFileInfo(path_).absolutePath();
    if (!makePrivateFolders(folder))
        return QCoreApplication::translate("HistoryStore", "the folder %1 cannot be made.")
            .arg(folder);
    // Made by hand, owner only, before anything is written to it; SQLite gives
    // its log files the same permissions.
    if (!createPrivateFile(path_))
        return QCoreApplication::translate("HistoryStore", "the file %1 cannot be made.")
            .arg(path_);
    if (!openConnection(false))
        return reasonOf(database().lastError());
    if (!migrate()) {
        QString reason = reasonOf(database().lastError());
        closeConnection();
        return reason;
    }
    state_ = State::ReadWrite;
    return {};
}

bool HistoryStore::migrate()
{
    QSqlDatabase db = database();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) || !query.next() ||
        query.value(0).toString() != QLatin1String("wal"))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA secure_delete=ON")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=FULL")))
        return false;
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return false;
    const int version = query.value(0).toInt();
    for (const SchemaStep &step : schemaSteps()) {
        if (step.version <= version)
            continue;
        if (!db.transaction())
            return false;
        bool done = true;
        for (const QString &statement : step.statements)
            done = done && query.exec(statement);
        done = done && query.exec(QStringLiteral("PRAGMA user_version=%1").arg(step.version));
        if (!done || !db.commit()) {
            rollBack(db);
            return false;
        }
    }
    return true;
}

QString HistoryStore::keep(KeptResult &record)
{
    switch (state_) {
    case State::Unavailable:
        return keepFailure(
            QCoreApplication::translate("HistoryStore", "My History is not available."));
    case State::ReadOnly:
        return keepFailure(QCoreApplication::translate(
            "HistoryStore", "My History was kept by a newer version of Pranoth."));
    case State::Empty:
        if (const QString reason = createFile(); !reason.isEmpty())
            return keepFailure(reason);
        break;
    case State::ReadWrite:
        break;
    }
    QSqlDatabase db = database();
    if (!db.transaction())
        return keepFailure(reasonOf(db.lastError()));
    QSqlQuery insert(db);
    if (!insert.prepare(QStringLiteral("INSERT INTO kept_result (kept_at, program_version, "
                                       "ticked, questions) VALUES (?, ?, ?, ?)"))) {
        const QString reason = reasonOf(insert.lastError());
        rollBack(db);
        return keepFailure(reason);
    }
    insert.addBindValue(QVariant::fromValue<qint64>(record.keptAtUtc));
    insert.addBindValue(QString::fromStdString(record.programVersion));
    insert.addBindValue(QVariant::fromValue<qint64>(tickedBits(record.ticked)));
    const std::string questions = questionBytes(record.questions);
    insert.addBindValue(QByteArray(questions.data(), static_cast<qsizetype>(questions.size())));
    if (!insert.exec()) {
        const QString reason = reasonOf(insert.lastError());
        rollBack(db);
        return keepFailure(reason);
    }
    const qint64 id = insert.lastInsertId().toLongLong();
    if (!db.commit()) {
        const QString reason = reasonOf(db.lastError());
        rollBack(db);
        return keepFailure(reason);
    }
    record.id = id;
    return {};
}

std::vector<KeptResult> HistoryStore::keptResults()
{
    std::vector<KeptResult> records;
    if (state_ != State::ReadWrite && state_ != State::ReadOnly)
        return records;
    // One query, read straight from SQLite's own buffers through the
    // connection's handle: thousands of results are read in a few milliseconds.
    const QVariant handle = database().driver()->handle();
    sqlite3 *connection = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                              ? *static_cast<sqlite3 *const *>(handle.constData())
                              : nullptr;
    sqlite3_stmt *statement = nullptr;
    const QByteArray sql = ReadAll.toUtf8();
    if (!connection ||
        sqlite3_prepare_v2(connection, sql.constData(), -1, &statement, nullptr) != SQLITE_OK) {
        notice_ = QCoreApplication::translate("HistoryStore", "My History could not be read: %1")
                      .arg(connection ? QString::fromUtf8(sqlite3_errmsg(connection))
                                      : QStringLiteral("no database connection"));
        return records;
    }
    const auto bytes = [statement](int column) {
        const auto *data = static_cast<const char *>(sqlite3_column_blob(statement, column));
        const int size = sqlite3_column_bytes(statement, column);
        return data ? std::string_view(data, static_cast<std::size_t>(size)) : std::string_view();
    };
    int unreadable = 0;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        KeptResult record;
        record.id = sqlite3_column_int64(statement, 0);
        record.keptAtUtc = sqlite3_column_int64(statement, 1);
        record.programVersion = std::string(bytes(2));
        const auto ticked = sqlite3_column_type(statement, 3) == SQLITE_INTEGER
                                ? tickedOfBits(sqlite3_column_int64(statement, 3))
                                : std::nullopt;
        auto questions = questionsOfBytes(bytes(4));
        if (ticked && questions) {
            record.ticked = *ticked;
            record.questions = std::move(*questions);
        }
        if (!ticked || !questions || !isWellFormed(record)) {
            ++unreadable;
            continue;
        }
        records.push_back(std::move(record));
    }
    if (step != SQLITE_DONE)
        notice_ = QCoreApplication::translate("HistoryStore",
                                              "My History could not be read to the end: %1")
                      .arg(QString::fromUtf8(sqlite3_errmsg(connection)));
    else if (unreadable > 0)
        notice_ = QCoreApplication::translate(
            "HistoryStore", "%n kept result(s) could not be read and are not shown.", nullptr,
            unreadable);
    sqlite3_finalize(statement);
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

QString HistoryStore::takeNotice()
{
    return std::exchange(notice_, QString());
}

QString HistoryStore::deleteRows(const QString &statement, std::optional<std::int64_t> id,
                                 const char *failure)
{
    if (state_ != State::ReadWrite)
        return QCoreApplication::translate("HistoryStore",
                                           "Nothing can be deleted from this history.");
    QSqlDatabase db = database();
    QSqlQuery query(db);
    const auto failed = [&db, failure](const QSqlError &error) {
        const QString reason = reasonOf(error);
        rollBack(db);
        return QCoreApplication::translate("HistoryStore", failure).arg(reason);
    };
    if (!db.transaction())
        return failed(db.lastError());
    const bool prepared = query.prepare(statement);
    if (id)
        query.addBindValue(QVariant::fromValue<qint64>(*id));
    if (!prepared || !query.exec() || !db.commit())
        return failed(query.lastError().isValid() ? query.lastError() : db.lastError());
    return {};
}

QString HistoryStore::remove(std::int64_t id)
{
    if (QString failure =
            deleteRows(QStringLiteral("DELETE FROM kept_result WHERE id = ?"), id,
                       QT_TRANSLATE_NOOP("HistoryStore", "The result could not be deleted: %1"));
        !failure.isEmpty())
        return failure;
    // The log still holds the deleted pages until they are copied back; the
    // rows themselves are already overwritten (secure_delete).
    static_cast<void>(
        QSqlQuery(database()).exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    return {};
}

QString HistoryStore::removeAll()
{
    if (state_ == State::Empty)
        return {};
    if (QString failure =
            deleteRows(QStringLiteral("DELETE FROM kept_result"), std::nullopt,
                       QT_TRANSLATE_NOOP("HistoryStore", "The results could not be deleted: %1"));
        !failure.isEmpty())
        return failure;
    // Deleted, and now gone from the file and its log too.
    QSqlQuery query(database());
    static_cast<void>(query.exec(QStringLiteral("VACUUM")));
    static_cast<void>(query.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
    return {};
}

} // namespace pranoth
