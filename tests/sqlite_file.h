#pragma once

// A database file read and written through SQLite's own C API, on a
// connection of the test's own: what the program keeps is checked in the
// file, not through the program's code.

#include <QFile>
#include <QString>
#include <QStringList>

#include <sqlite3.h>

namespace pranoth::testing {

// Runs `sql` (any number of statements) on the file, made when missing; the
// empty text, or SQLite's message.
inline QString sqlExec(const QString &path, const QString &sql)
{
    sqlite3 *db = nullptr;
    QString failure;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        failure = QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        char *message = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message) != SQLITE_OK)
            failure = QString::fromUtf8(message);
        sqlite3_free(message);
    }
    sqlite3_close(db);
    return failure;
}

// The rows `query` gives, each its columns joined by '|'; a failure is one
// row starting with "error: ". The file is opened for writing, as any reader
// of SQLite's does, so that what a killed writer left is rolled back first.
inline QStringList sqlRows(const QString &path, const QString &query)
{
    sqlite3 *db = nullptr;
    sqlite3_stmt *statement = nullptr;
    QStringList rows;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_prepare_v2(db, query.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) {
        rows << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            QStringList columns;
            for (int c = 0; c < sqlite3_column_count(statement); ++c)
                columns << QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(statement, c)));
            rows << columns.join(QLatin1Char('|'));
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return rows;
}

} // namespace pranoth::testing
