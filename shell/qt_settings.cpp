#include "qt_settings.h"

#include "ui/qt_text.h"
#include "user_folders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QTimer>

namespace pranoth {

namespace {

// How long a write waits for the file's lock before it gives up for this time.
constexpr int LockWaitMs = 200;
// How long a write waits before it goes to the disk: the window is painted
// and answering by then.
constexpr int WriteDelayMs = 500;

QString settingKey(std::string_view section, std::string_view key)
{
    return fromLatin1(section) + QLatin1Char('/') + fromLatin1(key);
}

// The text of a stored value as near to how it stands in the file as QSettings
// lets us see it: lists joined again, byte arrays as their bytes, and any
// other type (Qt's "@Type(...)" forms) as a mark that is no stored text.
QString rawText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString();
    case QMetaType::QStringList:
        return value.toStringList().join(QStringLiteral(", "));
    case QMetaType::QByteArray:
        return QString::fromLatin1(value.toByteArray());
    default:
        return QStringLiteral("@");
    }
}

} // namespace

QtSettingsFile::QtSettingsFile(QString path) : path_(std::move(path))
{}

QtSettingsFile::~QtSettingsFile()
{
    flush();
}

bool QtSettingsFile::usable() const
{
    if (path_.isEmpty())
        return false;
    // Links are followed: a link to a regular file is used like the file.
    const QFileInfo info(path_);
    return !info.exists() || info.isFile();
}

QSettings &QtSettingsFile::settings() const
{
    if (!settings_)
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    return *settings_;
}

QString QtSettingsFile::userFile()
{
    const QString folder = xdgFolder("XDG_CONFIG_HOME", ".config");
    if (folder.isEmpty())
        return {};
    QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    if (name.isEmpty())
        name = QStringLiteral("pranoth");
    return folder + QLatin1Char('/') + name + QStringLiteral(".ini");
}

std::optional<std::string> QtSettingsFile::read(std::string_view section,
                                                std::string_view key) const
{
    const QString name = settingKey(section, key);
    if (const auto waiting = pending_.find(name); waiting != pending_.end())
        return waiting->second.toLatin1().toStdString();
    if (!usable() || !settings().contains(name))
        return std::nullopt;
    // Anything that is not a single-byte character cannot have been written
    // here; it stands as a character that no stored text holds.
    const QString text = rawText(settings().value(name));
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        bytes += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '\x7F';
    return bytes;
}

void QtSettingsFile::write(std::string_view section, std::string_view key, std::string_view value)
{
    pending_[settingKey(section, key)] = fromLatin1(value);
    if (!flushTimer_) {
        flushTimer_ = std::make_unique<QTimer>();
        flushTimer_->setSingleShot(true);
        QObject::connect(flushTimer_.get(), &QTimer::timeout, [this] { flush(); });
    }
    flushTimer_->start(WriteDelayMs);
}

void QtSettingsFile::flush()
{
    if (pending_.empty())
        return;
    const auto pending = std::exchange(pending_, {});
    if (!usable())
        return;
    // On a fresh account the folder is missing: it is made as the XDG rules
    // ask, and the lock and the file are made owner only, whatever the umask.
    if (!makePrivateFolders(QFileInfo(path_).absolutePath()))
        return;
    const OwnerOnlyCreation privately;
    // QSettings waits for its lock without end; it is only let at the file
    // once the lock has been free a moment ago.
    QLockFile probe(path_ + QStringLiteral(".lock"));
    if (!probe.tryLock(LockWaitMs))
        return;
    probe.unlock();
    for (const auto &[name, value] : pending)
        settings().setValue(name, value);
    settings().sync();
}

} // namespace pranoth
