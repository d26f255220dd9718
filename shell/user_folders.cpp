#include "user_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
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

bool makePrivateFolders(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (QFileInfo(path).isDir())
        return true;
    const QString parent = QFileInfo(path).path();
    if (parent == path || !makePrivateFolders(parent))
        return false;
    const QByteArray name = QFile::encodeName(path);
    if (::mkdir(name.constData(), S_IRWXU) != 0)
        return errno == EEXIST && QFileInfo(path).isDir();
    // The umask may have taken bits away; the folder gets exactly these.
    ::chmod(name.constData(), S_IRWXU);
    return true;
}

bool createPrivateFile(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    if (QFileInfo::exists(path))
        return ::chmod(name.constData(), S_IRUSR | S_IWUSR) == 0;
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, S_IRUSR | S_IWUSR);
    if (fd < 0)
        return false;
    const bool owned = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
    ::close(fd);
    return owned;
}

OwnerOnlyCreation::OwnerOnlyCreation() : previous_(::umask(S_IRWXG | S_IRWXO))
{}

OwnerOnlyCreation::~OwnerOnlyCreation()
{
    ::umask(previous_);
}

} // namespace pranoth
