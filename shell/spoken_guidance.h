#pragma once

#include "core/cue_queue.h"
#include "core/session_services.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

namespace pranoth {

class Voice;

// The voice of spoken guidance and its queue of phrases. The voice comes from
// the speech plugin, made when the first phrase is given; phrases given while
// it starts wait for it. A phrase the service never reports as said is given
// up after the time it could take, so that a service that hangs or dies
// leaves the session silent, never stuck.
class SpokenGuidance : public QObject {
    Q_OBJECT

public:
    SpokenGuidance();
    ~SpokenGuidance() override;
    SpokenGuidance(const SpokenGuidance &) = delete;
    SpokenGuidance &operator=(const SpokenGuidance &) = delete;

    void speak(const std::vector<std::string> &phrases, SpeechStart how);
    void pause();
    void resume();
    void stop();
    void setRate(int rate);
    // Why there is no voice; empty while there is one or it is starting.
    QString unavailable() const { return unavailable_; }

private:
    enum class State { NotStarted, Starting, Ready, Unavailable };

    void start();
    void giveUp(const QString &why);
    // The queue's side of the voice.
    struct Engine : SpeechEngine {
        explicit Engine(SpokenGuidance &guidance) : guidance_(guidance) {}
        void say(const std::string &phrase) override;
        void stop() override;
        SpokenGuidance &guidance_;
    };
    void sayPending();
    void said(int serial);

    Engine engine_{*this};
    CueQueue queue_{engine_};
    std::unique_ptr<Voice> voice_;
    State state_ = State::NotStarted;
    QString unavailable_;
    QString pending_; // waiting for the voice to start, or said
    int serial_ = 0;
    int rate_ = 0;
    QTimer watchdog_;
};

} // namespace pranoth
