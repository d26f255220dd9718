#include "desktop_services.h"

#include "core/config.h"
#include "reminder_setup.h"
#include "spoken_guidance.h"
#include "ui/qt_text.h"
#include "user_folders.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QObject>
#include <QSettings>

#include <canberra.h>
#include <dlfcn.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace pranoth {

namespace {

constexpr int BusTimeoutMs = 3000;
const QString Portal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString ScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString ScreenSaverPath = QStringLiteral("/org/freedesktop/ScreenSaver");
// The portal's idle flag: the session must not be seen as idle.
constexpr uint InhibitIdle = 8;

// What the desktop says of its event sounds: on or off, and the theme.
struct SoundSetting {
    bool enabled = true;
    QString theme = QStringLiteral("freedesktop");
};

QVariant unwrapped(QVariant value)
{
    while (value.canConvert<QDBusVariant>() && value.userType() == qMetaTypeId<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

// The desktop's setting through the settings portal (GNOME's own keys), else
// from GTK's settings file, which other desktops write for the same purpose.
SoundSetting desktopSoundSetting()
{
    SoundSetting setting;
    const auto read = [](const QString &key) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            Portal, PortalPath, QStringLiteral("org.freedesktop.portal.Settings"),
            QStringLiteral("Read"));
        call << QStringLiteral("org.gnome.desktop.sound") << key;
        const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 1000);
        return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
                   ? unwrapped(reply.arguments().constFirst())
                   : QVariant();
    };
    if (const QVariant enabled = read(QStringLiteral("event-sounds")); enabled.isValid()) {
        setting.enabled = enabled.toBool();
        if (const QString theme = read(QStringLiteral("theme-name")).toString(); !theme.isEmpty())
            setting.theme = theme;
        return setting;
    }
    const QString folder = xdgFolder("XDG_CONFIG_HOME", ".config");
    if (folder.isEmpty())
        return setting;
    const QSettings gtk(folder + QStringLiteral("/gtk-3.0/settings.ini"), QSettings::IniFormat);
    setting.enabled = gtk.value(QStringLiteral("Settings/gtk-enable-event-sounds"), true).toBool();
    setting.theme =
        gtk.value(QStringLiteral("Settings/gtk-sound-theme-name"), setting.theme).toString();
    return setting;
}

} // namespace

// libcanberra on a thread of its own: loaded, set up and played there.
class EventSounds {
public:
    EventSounds() : worker_([this] { run(); }) {}

    ~EventSounds()
    {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        worker_.join();
    }
    EventSounds(const EventSounds &) = delete;
    EventSounds &operator=(const EventSounds &) = delete;

    void play(const char *eventId)
    {
        {
            const std::lock_guard lock(mutex_);
            queue_.push_back(eventId);
        }
        wake_.notify_one();
    }

private:
    void run()
    {
        // Without the library, a sound server or a device, nothing is heard.
        void *library = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        using Create = decltype(&ca_context_create);
        using Destroy = decltype(&ca_context_destroy);
        using Change = decltype(&ca_context_change_props);
        using Play = decltype(&ca_context_play);
        using Driver = decltype(&ca_context_set_driver);
        const auto symbol = [library](const char *name) {
            return library ? dlsym(library, name) : nullptr;
        };
        auto create = reinterpret_cast<Create>(symbol("ca_context_create"));
        auto destroy = reinterpret_cast<Destroy>(symbol("ca_context_destroy"));
        auto change = reinterpret_cast<Change>(symbol("ca_context_change_props"));
        auto playSound = reinterpret_cast<Play>(symbol("ca_context_play"));
        auto driver = reinterpret_cast<Driver>(symbol("ca_context_set_driver"));
        ca_context *context = nullptr;
        if (create && destroy && change && playSound && driver && create(&context) == CA_SUCCESS) {
            // The desktop's sound server (PulseAudio, or PipeWire's server
            // for its clients): never the sound card itself, whose absence
            // the card's library would report on the terminal.
            driver(context, "pulse");
            const SoundSetting setting = desktopSoundSetting();
            const QByteArray theme = setting.theme.toUtf8();
            const std::string title(config::Title);
            const std::string id(config::AppId);
            change(context, CA_PROP_APPLICATION_NAME, title.c_str(), CA_PROP_APPLICATION_ID,
                   id.c_str(), CA_PROP_CANBERRA_XDG_THEME_NAME, theme.constData(),
                   CA_PROP_CANBERRA_ENABLE, setting.enabled ? "1" : "0", nullptr);
        }
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_)
                break;
            const char *eventId = queue_.front();
            queue_.pop_front();
            lock.unlock();
            if (context)
                playSound(context, 0, CA_PROP_EVENT_ID, eventId, nullptr);
        }
        if (context)
            destroy(context);
        // The library stays loaded: the sound server's client library it
        // brought in may still have threads of its own winding down.
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<const char *> queue_;
    bool stopping_ = false;
    std::thread worker_;
};

DesktopSessionServices::DesktopSessionServices() : answers_(std::make_unique<QObject>())
{}

void DesktopSessionServices::speak(const std::vector<std::string> &phrases, SpeechStart start)
{
    if (!guidance_)
        guidance_ = std::make_unique<SpokenGuidance>();
    guidance_->speak(phrases, start);
}

void DesktopSessionServices::pauseSpeech()
{
    if (guidance_)
        guidance_->pause();
}

void DesktopSessionServices::resumeSpeech()
{
    if (guidance_)
        guidance_->resume();
}

void DesktopSessionServices::stopSpeech()
{
    if (guidance_)
        guidance_->stop();
}

void DesktopSessionServices::setSpeakingRate(int rate)
{
    if (!guidance_)
        guidance_ = std::make_unique<SpokenGuidance>();
    guidance_->setRate(rate);
}

std::string DesktopSessionServices::speechUnavailable()
{
    return guidance_ ? toUtf8(guidance_->unavailable()) : std::string();
}

bool DesktopSessionServices::screenReaderRunning()
{
    // The answer of the last asking, and a fresh one on its way.
    if (!askingScreenReader_)
        askScreenReader();
    return screenReader_;
}

void DesktopSessionServices::askScreenReader()
{
    // The desktop's own word, which screen readers set as they start and end:
    // other clients of the accessibility bus (test drivers, switch access)
    // leave it alone. Asked without waiting; until the answer, none runs.
    askingScreenReader_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    call << QStringLiteral("org.a11y.Status") << QStringLiteral("ScreenReaderEnabled");
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, BusTimeoutMs), answers_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, answers_.get(),
                     [this](QDBusPendingCallWatcher *done) {
                         done->deleteLater();
                         const QDBusPendingReply<QDBusVariant> reply = *done;
                         screenReader_ = !reply.isError() && reply.value().variant().toBool();
                         askingScreenReader_ = false;
                     });
}

DesktopSessionServices::~DesktopSessionServices()
{
    // An answer still on its way is not waited for: the desktop ends what it
    // grants when the program's connection goes.
    giveBack();
}

void DesktopSessionServices::playCue(SessionCue cue)
{
    if (!sounds_)
        sounds_ = std::make_unique<EventSounds>();
    // The theme's soft bell between phases, and its "complete" at the end.
    sounds_->play(cue == SessionCue::Finished ? "complete" : "bell");
}

void DesktopSessionServices::inhibitIdle(std::string_view reason)
{
    wanted_ = true;
    reason_ = fromUtf8(reason);
    if (asking_ || holder_ != Holder::None)
        return;
    askPortal();
}

void DesktopSessionServices::releaseIdle()
{
    wanted_ = false;
    if (!asking_)
        giveBack();
}

void DesktopSessionServices::askPortal()
{
    asking_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(
        Portal, PortalPath, QStringLiteral("org.freedesktop.portal.Inhibit"),
        QStringLiteral("Inhibit"));
    call << QString() << InhibitIdle << QVariantMap{{QStringLiteral("reason"), reason_}};
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, BusTimeoutMs), answers_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, answers_.get(),
                     [this](QDBusPendingCallWatcher *done) {
                         done->deleteLater();
                         const QDBusPendingReply<QDBusObjectPath> reply = *done;
                         if (reply.isError()) {
                             askScreenSaver();
                             return;
                         }
                         portalRequest_ = reply.value().path();
                         held(Holder::Portal);
                     });
}

void DesktopSessionServices::askScreenSaver()
{
    QDBusMessage call = QDBusMessage::createMethodCall(ScreenSaver, ScreenSaverPath, ScreenSaver,
                                                       QStringLiteral("Inhibit"));
    call << fromLatin1(config::Title) << reason_;
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(call, BusTimeoutMs), answers_.get());
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, answers_.get(),
                     [this](QDBusPendingCallWatcher *done) {
                         done->deleteLater();
                         const QDBusPendingReply<uint> reply = *done;
                         if (reply.isError()) {
                             // No service to ask: the screen may blank.
                             asking_ = false;
                             return;
                         }
                         cookie_ = reply.value();
                         held(Holder::ScreenSaver);
                     });
}

void DesktopSessionServices::held(Holder holder)
{
    asking_ = false;
    holder_ = holder;
    if (!wanted_)
        giveBack();
}

void DesktopSessionServices::giveBack()
{
    switch (holder_) {
    case Holder::None:
        return;
    case Holder::Portal:
        QDBusConnection::sessionBus().send(QDBusMessage::createMethodCall(
            Portal, portalRequest_, QStringLiteral("org.freedesktop.portal.Request"),
            QStringLiteral("Close")));
        break;
    case Holder::ScreenSaver: {
        QDBusMessage call = QDBusMessage::createMethodCall(
            ScreenSaver, ScreenSaverPath, ScreenSaver, QStringLiteral("UnInhibit"));
        call << cookie_;
        QDBusConnection::sessionBus().send(call);
        break;
    }
    }
    holder_ = Holder::None;
}

std::string DesktopSessionServices::setReminders(const PracticeSettings &settings)
{
    return setUpReminders(settings).toStdString();
}

} // namespace pranoth
