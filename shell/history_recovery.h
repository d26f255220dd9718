#pragma once

#include <QString>

#include <array>

namespace pranoth::historyRecovery {

// The files SQLite keeps beside a database while it is changed: they belong to it.
inline const std::array<QString, 3> LogSuffixes{QStringLiteral("-journal"), QStringLiteral("-wal"),
                                                QStringLiteral("-shm")};

// What a history file holds, as far as this program is concerned.
enum class Condition {
    Fresh,   // nothing yet (an empty file): made ready at the first keep
    Current, // a history of this version or an older one
    Newer,   // a history of a newer version: to be read only
    Broken,  // damaged, cut short, or another program's database
};

// Looks at the file without changing it.
Condition examine(const QString &path);

// Renames a file that cannot be read aside, with its logs, as
// "history.sqlite.broken-<date and time>", so that nothing in it is lost and a
// fresh history can start. The new name, or empty when it could not be moved.
QString setAside(const QString &path);

} // namespace pranoth::historyRecovery
