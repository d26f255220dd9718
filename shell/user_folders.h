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

} // namespace pranoth
