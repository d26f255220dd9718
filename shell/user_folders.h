#pragma once

#include <QString>

#include <sys/types.h>

namespace pranoth {

// A per-user base folder by the XDG rules: the variable when it holds an
// absolute path (a relative one is ignored), else `fallback` under an absolute
// HOME, else nothing: the empty text, and the program keeps nothing there.
//   xdgFolder("XDG_CONFIG_HOME", ".config"), xdgFolder("XDG_DATA_HOME", ".local/share")
QString xdgFolder(const char *variable, const char *fallback);

// My History's file: history.sqlite in the folder "pranoth" of the user's data
// folder; empty when there is no usable home.
QString userHistoryFile();

// Makes `folder` and every missing folder above it, each its owner's only
// (0700) whatever the umask, as the XDG rules ask of a base folder a program
// makes; folders already there are left as they are. True when the folder is
// there at the end.
bool makePrivateFolders(const QString &folder);

// Makes `path` when it is missing, and leaves it readable and writable by its
// owner only (0600) whatever the umask, narrowing a file that is there. True
// when that could be done.
bool createPrivateFile(const QString &path);

// While it lives, what the process makes (Qt's lock and save files, a
// socket) is its owner's only: the umask is 077 and the one the process was
// started with comes back after. The umask belongs to the whole process;
// nothing else makes files on the user-interface thread meanwhile.
class OwnerOnlyCreation {
public:
    OwnerOnlyCreation();
    ~OwnerOnlyCreation();
    OwnerOnlyCreation(const OwnerOnlyCreation &) = delete;
    OwnerOnlyCreation &operator=(const OwnerOnlyCreation &) = delete;

private:
    mode_t previous_;
};

} // namespace pranoth
