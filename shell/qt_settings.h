#pragma once

#include <QString>

#include <memory>

class QSettings;

#include <string>
#include <string_view>

namespace pranoth {

// The per-user settings file, read and written through QSettings. Key names
// and values are byte strings, kept as Latin-1 text. Nothing here reports an
// error: a file that cannot be read reads as empty, one that cannot be
// written keeps its old content.
//
// A write reaches the disk once the event loop runs, or when this object goes:
// start-up never waits for the disk.
class QtSettingsFile {
public:
    explicit QtSettingsFile(QString path);
    ~QtSettingsFile();
    QtSettingsFile(const QtSettingsFile &) = delete;
    QtSettingsFile &operator=(const QtSettingsFile &) = delete;

    std::string read(std::string_view section, std::string_view key) const;
    void write(std::string_view section, std::string_view key, std::string_view value) const;

    // The settings file of the running program for this user: named after the
    // executable without its extension, in the user's configuration folder.
    static QString userFile();

private:
    QSettings &settings() const;

    QString path_;
    mutable std::unique_ptr<QSettings> settings_; // opened when first used
};

} // namespace pranoth
