#include "spoken_guidance.h"

#include "core/config.h"
#include "core/practice_session.h"
#include "plugins.h"
#include "speech.h"
#include "ui/qt_text.h"

#include <QLocale>

#include <algorithm>

namespace pranoth {

namespace {

// The longest a phrase can take to be said: a slow voice says some twelve
// characters a second; the start of the service is allowed for on top.
int longestSayingMs(const QString &phrase)
{
    return 4000 + static_cast<int>(phrase.size()) * 150;
}

} // namespace

SpokenGuidance::SpokenGuidance()
{
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] { said(serial_); });
}

SpokenGuidance::~SpokenGuidance() = default;

void SpokenGuidance::start()
{
    state_ = State::Starting;
    QString failure;
    auto *factory = qobject_cast<VoiceFactory *>(
        loadPlugin(pluginPaths(config::SpeechPlugin), PRANOTH_SPEECH_IID, failure));
    if (!factory) {
        giveUp(tr("Spoken guidance needs Qt's speech on the desktop's speech service: install "
                  "libqt6texttospeech6, qt6-speech-speechd-plugin, speech-dispatcher and "
                  "speech-dispatcher-espeak-ng."));
        return;
    }
    // The program's language: English.
    voice_.reset(factory->create(QLocale(QLocale::English, QLocale::UnitedStates)));
    connect(voice_.get(), &Voice::spoken, this, &SpokenGuidance::said);
    connect(voice_.get(), &Voice::unavailable, this, &SpokenGuidance::giveUp);
    connect(voice_.get(), &Voice::ready, this, [this] {
        if (state_ != State::Starting)
            return;
        state_ = State::Ready;
        if (rate_ != 0)
            voice_->setRate(rate_ / static_cast<double>(PracticeSettings::FastestSpeakingRate));
        sayPending();
    });
}

void SpokenGuidance::giveUp(const QString &why)
{
    state_ = State::Unavailable;
    unavailable_ = why;
    watchdog_.stop();
    queue_.clear();
}

void SpokenGuidance::speak(const std::vector<std::string> &phrases, SpeechStart how)
{
    if (state_ == State::NotStarted)
        start();
    if (state_ == State::Unavailable)
        return;
    queue_.say(phrases, how);
}

void SpokenGuidance::pause()
{
    queue_.pause();
}

void SpokenGuidance::resume()
{
    queue_.resume();
}

void SpokenGuidance::stop()
{
    queue_.clear();
}

void SpokenGuidance::setRate(int rate)
{
    if (rate == rate_)
        return;
    rate_ = rate;
    if (state_ == State::Ready)
        voice_->setRate(rate_ / static_cast<double>(PracticeSettings::FastestSpeakingRate));
}

void SpokenGuidance::sayPending()
{
    if (pending_.isEmpty() || state_ != State::Ready)
        return;
    voice_->say(pending_, serial_);
    watchdog_.start(longestSayingMs(pending_));
}

void SpokenGuidance::said(int serial)
{
    if (serial != serial_ || pending_.isEmpty())
        return;
    watchdog_.stop();
    pending_.clear();
    queue_.spoken();
}

void SpokenGuidance::Engine::say(const std::string &phrase)
{
    SpokenGuidance &g = guidance_;
    ++g.serial_;
    g.pending_ = fromUtf8(phrase);
    g.sayPending();
}

void SpokenGuidance::Engine::stop()
{
    SpokenGuidance &g = guidance_;
    // A late word of the phrase stopped is not taken for the next one's.
    ++g.serial_;
    g.pending_.clear();
    g.watchdog_.stop();
    if (g.state_ == State::Ready)
        g.voice_->stop();
}

} // namespace pranoth
