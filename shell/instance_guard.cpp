#include "instance_guard.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace pranoth {

namespace {
constexpr int CallTimeoutMs = 500;
const QByteArray CallMessage = QByteArrayLiteral("raise\n");
} // namespace

InstanceGuard::InstanceGuard(QString lockPath) : lockPath_(std::move(lockPath))
{}

InstanceGuard::~InstanceGuard()
{
    server_.reset();
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
    if (descriptor_ < 0 || server_)
        return;
    server_ = std::make_unique<QLocalServer>();
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(),
                     [server = server_.get(), onCall = std::move(onCall)] {
                         while (QLocalSocket *caller = server->nextPendingConnection()) {
                             QObject::connect(caller, &QLocalSocket::disconnected, caller,
                                              &QObject::deleteLater);
                             QObject::connect(caller, &QLocalSocket::readyRead, caller,
                                              [caller, onCall] {
                                                  if (caller->readAll().contains('\n'))
                                                      onCall();
                                              });
                         }
                     });
    // Holding the lock, any socket left at the path is a dead instance's.
    QLocalServer::removeServer(socketPath());
    server_->listen(socketPath());
}

void InstanceGuard::callHolder() const
{
    QLocalSocket socket;
    socket.connectToServer(socketPath());
    if (!socket.waitForConnected(CallTimeoutMs))
        return;
    socket.write(CallMessage);
    socket.waitForBytesWritten(CallTimeoutMs);
    socket.disconnectFromServer();
}

} // namespace pranoth
