#include "user_folders.h"

#include <QDir>

namespace pranoth {

QString xdgFolder(const char *variable, const char *fallback)
{
    if (QString folder = qEnvironmentVariable(variable); QDir::isAbsolutePath(folder))
        return folder;
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home))
        return {};
    return home + QLatin1Char('/') + QLatin1String(fallback);
}

QString userHistoryFile()
{
    const QString folder = xdgFolder("XDG_DATA_HOME", ".local/share");
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/pranoth/history.sqlite");
}

} // namespace pranoth
