#pragma once

#include <QString>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace pranoth {

// The single-instance guard: an advisory lock (flock) on a file in the user's
// runtime folder. The kernel lets go of it when the process ends, however it
// ends, so a killed instance never keeps the next one out; what the file holds
// does not matter. Beside the lock, the running instance listens on a Unix
// socket, so that a second start can ask it to bring its window to the front:
// connecting is the whole of the call.
class InstanceGuard {
public:
    explicit InstanceGuard(QString lockPath);
    ~InstanceGuard();
    InstanceGuard(const InstanceGuard &) = delete;
    InstanceGuard &operator=(const InstanceGuard &) = delete;

    enum class Outcome {
        Held,          // this process holds the guard
        HeldByAnother, // a live process of this user holds it
        Unavailable,   // no guard could be had (no usable folder, a folder in its place, ...)
    };
    Outcome acquire();

    // Once the guard is held: answers a second start's calls with `onCall`,
    // whenever the event loop runs.
    void listen(std::function<void()> onCall);

    // Asks the instance that holds the guard to come to the front.
    void callHolder() const;

    // The lock file of this user's running instance.
    static QString defaultLockPath();

private:
    QString socketPath() const;

    QString lockPath_;
    int descriptor_ = -1;
    int server_ = -1;
    std::unique_ptr<QSocketNotifier> calls_;
};

} // namespace pranoth
