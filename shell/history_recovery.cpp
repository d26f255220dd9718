#include "history_recovery.h"

#include "history_schema.h"
#include "sqlite_connection.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <string>

namespace pranoth::historyRecovery {

Condition examine(const QString &path)
{
    SqliteError error;
    const auto connection = SqliteConnection::open(QFile::encodeName(path).toStdString(),
                                                   SqliteConnection::Mode::ReadOnly, 1000, error);
    if (!connection)
        return Condition::Broken;
    const std::optional<std::int64_t> version = connection->integer("PRAGMA user_version");
    if (!version)
        return Condition::Broken;
    if (connection->text("PRAGMA quick_check") != "ok")
        return Condition::Broken;
    if (*version > historySchema::Version)
        return Condition::Newer;
    if (*version == 0) {
        const bool anyTable = connection->integer("SELECT count(*) FROM sqlite_master") > 0;
        return anyTable ? Condition::Broken : Condition::Fresh;
    }
    const auto answers = [&connection](const char *query) {
        return connection->prepare(std::string(query) + " LIMIT 0").has_value();
    };
    const bool readable =
        answers(historySchema::ReadAll) &&
        (*version < 2 || answers(*version == 2 ? historySchema::ReadAllSessionsOfVersion2
                                               : historySchema::ReadAllSessions));
    return readable ? Condition::Current : Condition::Broken;
}

QString setAside(const QString &path)
{
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH-mm-ss"));
    QString aside = path + QStringLiteral(".broken-") + stamp;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = path + QStringLiteral(".broken-") + stamp + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(path, aside))
        return {};
    // Its logs belong to it, not to the fresh history.
    for (const QString &part : LogSuffixes) {
        if (QFileInfo::exists(path + part))
            QFile::rename(path + part, aside + part);
    }
    return aside;
}

} // namespace pranoth::historyRecovery
