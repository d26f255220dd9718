#include "qt_settings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace pranoth {

namespace {

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

QString settingKey(std::string_view section, std::string_view key)
{
    return latin1(section) + QLatin1Char('/') + latin1(key);
}

} // namespace

QtSettingsFile::QtSettingsFile(QString path) : path_(std::move(path))
{}

QtSettingsFile::~QtSettingsFile() = default;

QSettings &QtSettingsFile::settings() const
{
    if (!settings_)
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    return *settings_;
}

QString QtSettingsFile::userFile()
{
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("pranoth");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + name + QStringLiteral(".ini");
}

std::string QtSettingsFile::read(std::string_view section, std::string_view key) const
{
    const QVariant value = settings().value(settingKey(section, key));
    if (!value.canConvert<QString>())
        return {};
    // Anything that is not a single-byte character cannot have been written here.
    const QString text = value.toString();
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF)
            bytes += static_cast<char>(c.unicode());
    }
    return bytes;
}

void QtSettingsFile::write(std::string_view section, std::string_view key,
                           std::string_view value) const
{
    settings().setValue(settingKey(section, key), latin1(value));
}

} // namespace pranoth
