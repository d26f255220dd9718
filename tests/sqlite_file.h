#pragma once

// A database file read and written through SQLite's own C API, on a
// connection of the test's own: what the program keeps is checked in the
// file, not through the program's code.

#include <QFile>
#include <QStringList>

#include <sqlite3.h>

namespace pranoth::testing {

// Runs `sql` (statements and queries) on the file, made when missing: the
// rows the queries give, each its columns joined by '|', or one row
// "error: " and SQLite's message. As any SQLite reader, it first rolls back
// what a killed writer left.
inline QStringList sql(const QString &path, const QString &statements)
{
    sqlite3 *db = nullptr;
    QStringList rows;
    char *message = nullptr;
    const auto collect = [](void *to, int count, char **values, char **) {
        QStringList columns;
        for (int c = 0; c < count; ++c)
            columns << QString::fromUtf8(values[c]);
        static_cast<QStringList *>(to)->append(columns.join(QLatin1Char('|')));
        return 0;
    };
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) != SQLITE_OK)
        rows = {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db))};
    else if (sqlite3_exec(db, statements.toUtf8().constData(), collect, &rows, &message) !=
             SQLITE_OK)
        rows = {QStringLiteral("error: ") + QString::fromUtf8(message)};
    sqlite3_free(message);
    sqlite3_close(db);
    return rows;
}

} // namespace pranoth::testing
