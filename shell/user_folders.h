#pragma once

#include <QString>

namespace pranoth {

// A per-user base folder by the XDG rules: the variable when it holds an
// absolute path (a relative one is ignored), else `fallback` under an absolute
// HOME, else nothing: the empty text, and the program keeps nothing there.
//   xdgFolder("XDG_CONFIG_HOME", ".config"), xdgFolder("XDG_DATA_HOME", ".local/share")
QString xdgFolder(const char *variable, const char *fallback);

// My History's file: history.sqlite in the folder "pranoth" of the user's data
// folder; empty when there is no usable home.
QString userHistoryFile();

// Makes the folder and any missing folder above it, each new one readable by
// its owner only (0700) whatever the umask; folders that exist are left as
// they are. True when the folder exists afterwards.
bool makePrivateFolder(const QString &folder);

// Makes the file readable and writable by its owner only (0600), creating it
// empty when it is missing, whatever the umask. True on success.
bool makePrivateFile(const QString &path);

} // namespace pranoth
