#pragma once

#include "core/session_services.h"

#include <QString>

#include <memory>

class QObject;

namespace pranoth {

class EventSounds;
class SpokenGuidance;

// The session's desktop services on a freedesktop desktop. Sounds are the
// desktop's event sounds, played by libcanberra, which is loaded only when the
// first sound is played, on a thread of its own, so that nothing waits for
// the sound server; the desktop's own "event sounds" setting is honoured.
// Idle inhibition asks the desktop portal, else the screen saver service, over
// the session bus without waiting for the answer; the service ends the
// inhibition itself when the program's connection goes.
class DesktopSessionServices : public SessionServices {
public:
    DesktopSessionServices();
    ~DesktopSessionServices() override;
    DesktopSessionServices(const DesktopSessionServices &) = delete;
    DesktopSessionServices &operator=(const DesktopSessionServices &) = delete;

    void playCue(SessionCue cue) override;
    void inhibitIdle(std::string_view reason) override;
    void releaseIdle() override;
    void speak(const std::vector<std::string> &phrases, SpeechStart start) override;
    void pauseSpeech() override;
    void resumeSpeech() override;
    void stopSpeech() override;
    void setSpeakingRate(int rate) override;
    std::string speechUnavailable() override;
    bool screenReaderRunning() override;
    std::string setReminders(const PracticeSettings &settings) override;

private:
    enum class Holder { None, Portal, ScreenSaver };

    void askPortal();
    void askScreenSaver();
    // The inhibition is held by `holder`: kept while wanted, else given back.
    void held(Holder holder);
    void giveBack();

    void askScreenReader();

    std::unique_ptr<EventSounds> sounds_;
    std::unique_ptr<SpokenGuidance> guidance_;
    bool screenReader_ = false;
    bool askingScreenReader_ = false;
    // Answers from the bus come to it: none once this is gone.
    std::unique_ptr<QObject> answers_;
    QString reason_;
    bool wanted_ = false;
    bool asking_ = false;
    Holder holder_ = Holder::None;
    QString portalRequest_;
    uint cookie_ = 0;
};

} // namespace pranoth
