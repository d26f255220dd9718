#pragma once

#include "core/platform.h"
#include "instance_guard.h"
#include "qt_settings.h"

#include <QString>

#include <random>

namespace pranoth {

// The platform seam on a real desktop.
class QtPlatform : public Platform {
public:
    // `lockPath` names the per-user lock file of the single-instance test,
    // `settingsPath` the per-user settings file.
    explicit QtPlatform(QString lockPath = InstanceGuard::defaultLockPath(),
                        QString settingsPath = QtSettingsFile::userFile());
    ~QtPlatform() override;

    MessageAnswer showMessage(std::string_view text, MessageIcon icon,
                              MessageButtons buttons) override;
    std::optional<std::string> chooseSaveFile(std::string_view title,
                                              std::string_view suggestedPath,
                                              std::string_view filter) override;
    void openUrl(std::string_view url) override;
    std::optional<std::string> readSetting(std::string_view section, std::string_view key) override;
    void writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override;
    bool anotherInstanceRunning() override;
    void activateRunningInstance() override;
    DateTime now() override;
    void seedRandomFromClock() override;
    double uniformRandom() override;
    void endProcess() override;

    // True once the process has been asked to end.
    bool endRequested() const { return endRequested_; }

private:
    InstanceGuard guard_;
    QtSettingsFile settings_;
    std::mt19937 generator_;
    bool endRequested_ = false;
};

} // namespace pranoth
