#pragma once

#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class QSettings;
class QTimer;

namespace pranoth {

// The per-user settings file, read and written through QSettings. Key names
// and values are byte strings, kept as Latin-1 text. Nothing here reports an
// error: a file that cannot be read reads as empty, one that cannot be
// written keeps its old content.
//
// Only a regular file (or a link to one) or nothing at all is used: a path
// that leads to a folder, a device, a FIFO or a socket is neither read nor
// written, and an empty path remembers nothing.
//
// A write reaches the disk half a second later, or when this object goes:
// start-up, to the window's first paint, never waits for the disk, and no
// lock ever makes the program wait.
// When another writer's lock (or one left by a killed program) holds the file
// beyond a brief try, that write is skipped.
class QtSettingsFile {
public:
    explicit QtSettingsFile(QString path);
    ~QtSettingsFile();
    QtSettingsFile(const QtSettingsFile &) = delete;
    QtSettingsFile &operator=(const QtSettingsFile &) = delete;

    // The stored text, or none when the key is absent. A value QSettings
    // reads as something other than text still reads as present.
    std::optional<std::string> read(std::string_view section, std::string_view key) const;
    void write(std::string_view section, std::string_view key, std::string_view value);

    // Writes what is pending now.
    void flush();

    // The settings file of the running program for this user: named after the
    // executable without its extension, in the user's configuration folder
    // (XDG_CONFIG_HOME, else HOME/.config; relative ones are ignored). Empty
    // when there is no usable folder.
    static QString userFile();

private:
    bool usable() const;
    QSettings &settings() const;

    QString path_;
    mutable std::unique_ptr<QSettings> settings_; // opened when first used
    std::map<QString, QString> pending_;
    std::unique_ptr<QTimer> flushTimer_;
};

} // namespace pranoth
