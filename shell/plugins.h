#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

class QObject;

namespace pranoth {

// Where the plugin file `name` is: beside the program in a build, or in its
// library folder once installed.
QStringList pluginPaths(std::string_view name);

// Loads the plugin of interface `iid` from the first of `paths` that holds
// one and gives its object; none, with what went wrong in `failure`, when no
// path holds it (a plugin of another version or another program is refused
// without being run). Loaded once, a plugin stays for the life of the program.
QObject *loadPlugin(const QStringList &paths, const char *iid, QString &failure);

} // namespace pranoth
