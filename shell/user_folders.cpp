#include "user_folders.h"

#include <QDir>

namespace pranoth {

QString xdgFolder(const char *variable, const char *fallback)
{
    if (const QString folder = qEnvironmentVariable(variable); QDir::isAbsolutePath(folder))
        return folder;
    const QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home))
        return {};
    return home + QLatin1Char('/') + QLatin1String(fallback);
}

} // namespace pranoth
