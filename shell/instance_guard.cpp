#include "instance_guard.h"

#include "user_folders.h"

#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace pranoth {

namespace {

// The socket's address, or none when the path is too long for one.
bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray bytes = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (bytes.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return true;
}

} // namespace

InstanceGuard::InstanceGuard(QString lockPath) : lockPath_(std::move(lockPath))
{}

InstanceGuard::~InstanceGuard()
{
    calls_.reset();
    if (server_ >= 0) {
        ::close(server_);
        QFile::remove(socketPath());
    }
    if (descriptor_ >= 0)
        ::close(descriptor_);
}

QString InstanceGuard::defaultLockPath()
{
    // The runtime folder is the user's own, so the guard is per user.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/pranoth.lock");
}

QString InstanceGuard::socketPath() const
{
    QString path = lockPath_;
    if (path.endsWith(QStringLiteral(".lock")))
        path.chop(5);
    return path + QStringLiteral(".socket");
}

InstanceGuard::Outcome InstanceGuard::acquire()
{
    if (descriptor_ >= 0)
        return Outcome::Held;
    const QByteArray path = QFile::encodeName(lockPath_);
    const int descriptor = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0600);
    if (descriptor < 0)
        return Outcome::Unavailable;
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(descriptor);
        return held ? Outcome::HeldByAnother : Outcome::Unavailable;
    }
    descriptor_ = descriptor;
    return Outcome::Held;
}

void InstanceGuard::listen(std::function<void()> onCall)
{
    sockaddr_un address{};
    if (descriptor_ < 0 || server_ >= 0 || !socketAddress(socketPath(), address))
        return;
    const int server = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (server < 0)
        return;
    // Holding the lock, any socket left at the path is a dead instance's.
    ::unlink(address.sun_path);
    bool bound = false;
    {
        // Only this user may call: the socket is made owner only, then given 0600.
        const OwnerOnlyCreation privately;
        bound = ::bind(server, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    }
    if (bound)
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR);
    if (!bound || ::listen(server, 4) != 0) {
        ::close(server);
        return;
    }
    server_ = server;
    calls_ = std::make_unique<QSocketNotifier>(server, QSocketNotifier::Read);
    QObject::connect(calls_.get(), &QSocketNotifier::activated, calls_.get(),
                     [server, onCall = std::move(onCall)] {
                         bool called = false;
                         for (int caller = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC);
                              caller >= 0;
                              caller = ::accept4(server, nullptr, nullptr, SOCK_CLOEXEC)) {
                             ::close(caller);
                             called = true;
                         }
                         if (called)
                             onCall();
                     });
}

void InstanceGuard::callHolder() const
{
    sockaddr_un address{};
    if (!socketAddress(socketPath(), address))
        return;
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket < 0)
        return;
    // Connecting is the call; with no listener or a full queue it is not made.
    static_cast<void>(
        ::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address));
    ::close(socket);
}

} // namespace pranoth
