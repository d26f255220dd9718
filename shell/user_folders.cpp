#include "user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

bool makePrivateFolder(const QString &folder)
{
    const QString absolute = QDir::cleanPath(QDir(folder).absolutePath());
    if (QFileInfo(absolute).isDir())
        return true;
    const QString parent = QFileInfo(absolute).path();
    if (parent == absolute || !makePrivateFolder(parent))
        return false;
    const QByteArray name = QFile::encodeName(absolute);
    if (::mkdir(name.constData(), S_IRWXU) != 0)
        return QFileInfo(absolute).isDir(); // made meanwhile by another program
    return ::chmod(name.constData(), S_IRWXU) == 0;
}

bool makePrivateFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (QFileInfo::exists(path))
        return ::chmod(name.constData(), S_IRUSR | S_IWUSR) == 0;
    const int descriptor =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (descriptor < 0)
        return false;
    const bool narrowed = ::fchmod(descriptor, S_IRUSR | S_IWUSR) == 0;
    ::close(descriptor);
    return narrowed;
}

} // namespace pranoth
