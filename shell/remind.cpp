#include "remind.h"

#include "core/config.h"
#include "core/platform.h"
#include "core/practice_progress.h"
#include "core/practice_session.h"
#include "plugins.h"
#include "print_and_history.h"
#include "qt_settings.h"
#include "ui/qt_text.h"
#include "user_folders.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDateTime>
#include <QProcess>
#include <QTimer>

namespace pranoth {

namespace {

const QString Service = QStringLiteral("org.freedesktop.Notifications");
const QString Path = QStringLiteral("/org/freedesktop/Notifications");
const QString Interface = QStringLiteral("org.freedesktop.Notifications");
const QString PractiseAction = QStringLiteral("practise");
// How long a call to the notification service may take.
constexpr int CallTimeoutMs = 5000;
// How long the notification is waited on before it is taken back.
constexpr int LongestWaitMs = 10 * 60 * 1000;

// The settings file, only read: nothing else of the platform is needed, and
// nothing is written, not even a file that is missing.
class SettingsReader : public Platform {
public:
    SettingsReader() : settings_(QtSettingsFile::userFile()) {}

    std::optional<std::string> readSetting(std::string_view section, std::string_view key) override
    {
        return settings_.read(section, key);
    }
    void writeSetting(std::string_view, std::string_view, std::string_view) override {}
    MessageAnswer showMessage(std::string_view, MessageIcon, MessageButtons) override
    {
        return MessageAnswer::Ok;
    }
    std::optional<std::string> chooseSaveFile(std::string_view, std::string_view,
                                              std::string_view) override
    {
        return std::nullopt;
    }
    void openUrl(std::string_view) override {}
    bool anotherInstanceRunning() override { return false; }
    void activateRunningInstance() override {}
    DateTime now() override { return {}; }
    void seedRandomFromClock() override {}
    double uniformRandom() override { return 0; }
    void endProcess() override {}

private:
    QtSettingsFile settings_;
};

// True when a notification service is on the session bus, or would be
// started by it when called.
bool notificationServiceThere(const QDBusConnection &bus)
{
    if (!bus.isConnected())
        return false;
    if (bus.interface()->isServiceRegistered(Service))
        return true;
    const QDBusReply<QStringList> activatable =
        bus.call(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                QStringLiteral("/org/freedesktop/DBus"),
                                                QStringLiteral("org.freedesktop.DBus"),
                                                QStringLiteral("ListActivatableNames")),
                 QDBus::Block, CallTimeoutMs);
    return activatable.isValid() && activatable.value().contains(Service);
}

// This week's practice, from the sessions kept in My History.
WeekProgress practiceThisWeek()
{
    SettingsReader settings;
    const int goal = readPracticeSettings(settings).weeklyGoal;
    std::vector<std::int64_t> starts;
    QString failure;
    if (auto *plugin = qobject_cast<PrintAndHistoryFactory *>(loadPlugin(
            pluginPaths(config::PrintHistoryPlugin), PRANOTH_PRINT_HISTORY_IID, failure)))
        starts = plugin->keptSessionStarts(userHistoryFile());
    return weekProgress(starts, goal, QDateTime::currentSecsSinceEpoch());
}

// The notification on screen, until it is answered, closed or taken back.
class Reminder : public QObject {
    Q_OBJECT

public:
    explicit Reminder(QDBusConnection bus) : bus_(std::move(bus)) {}

    // Shows it; false when the service would not.
    bool show(const WeekProgress &progress)
    {
        const QDBusReply<QStringList> capabilities =
            bus_.call(QDBusMessage::createMethodCall(Service, Path, Interface,
                                                     QStringLiteral("GetCapabilities")),
                      QDBus::Block, CallTimeoutMs);
        const bool withAction =
            capabilities.isValid() && capabilities.value().contains(QStringLiteral("actions"));
        QStringList actions;
        if (withAction) {
            actions << PractiseAction << QCoreApplication::translate("Reminder", "Practise now");
            // Listening before the notification is there: an answer cannot be missed.
            bus_.connect(QString(), Path, Interface, QStringLiteral("ActionInvoked"), this,
                         SLOT(actionInvoked(uint, QString)));
            bus_.connect(QString(), Path, Interface, QStringLiteral("NotificationClosed"), this,
                         SLOT(closed(uint, uint)));
        }
        QDBusMessage notify =
            QDBusMessage::createMethodCall(Service, Path, Interface, QStringLiteral("Notify"));
        notify << fromLatin1(config::Title) << 0U << fromLatin1(config::AppId)
               << QCoreApplication::translate("Reminder", "Time to practise")
               << fromUtf8(weekProgressText(progress)) << actions
               << QVariantMap{{QStringLiteral("desktop-entry"), fromLatin1(config::AppId)}} << -1;
        const QDBusReply<uint> id = bus_.call(notify, QDBus::Block, CallTimeoutMs);
        if (!id.isValid())
            return false;
        id_ = id.value();
        waiting_ = withAction;
        return true;
    }

    // True while the notification has an answer to wait for.
    bool waiting() const { return waiting_; }

    // Takes the notification back.
    void withdraw()
    {
        bus_.call(QDBusMessage::createMethodCall(Service, Path, Interface,
                                                 QStringLiteral("CloseNotification"))
                      << id_,
                  QDBus::Block, CallTimeoutMs);
        QCoreApplication::quit();
    }

private slots:
    void actionInvoked(uint id, const QString &action) const
    {
        if (id != id_)
            return;
        if (action == PractiseAction)
            QProcess::startDetached(QCoreApplication::applicationFilePath(),
                                    {QStringLiteral("--practise")});
        QCoreApplication::quit();
    }

    void closed(uint id, uint /*reason*/) const
    {
        if (id == id_)
            QCoreApplication::quit();
    }

private:
    QDBusConnection bus_;
    uint id_ = 0;
    bool waiting_ = false;
};

} // namespace

int runReminder(int argc, char *argv[])
{
    const QCoreApplication app(argc, argv);
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!notificationServiceThere(bus))
        return 0;
    const WeekProgress progress = practiceThisWeek();
    if (progress.keptToday || progress.metThisWeek())
        return 0;
    Reminder reminder(bus);
    if (!reminder.show(progress) || !reminder.waiting())
        return 0;
    QTimer::singleShot(LongestWaitMs, &reminder, &Reminder::withdraw);
    QCoreApplication::exec();
    return 0;
}

} // namespace pranoth

#include "remind.moc"
