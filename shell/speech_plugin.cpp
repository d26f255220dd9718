// The plugin with the voice of spoken guidance: Qt's speech on the desktop's
// speech-dispatcher, found by loadVoice().

#include "speech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QPointer>
#include <QTextToSpeech>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>

namespace pranoth {

namespace {

const QString Engine = QStringLiteral("speechd");
constexpr int StopWaitMs = 1000;

// Qt's speech and the service behind it, on the voice's own thread.
class SpeechWorker : public QObject {
    Q_OBJECT

public:
    explicit SpeechWorker(std::shared_ptr<std::atomic<int>> latest) : latest_(std::move(latest)) {}

    Q_INVOKABLE void start(const QLocale &locale)
    {
        if (!QTextToSpeech::availableEngines().contains(Engine)) {
            emit unavailable(tr("Spoken guidance needs Qt's speech-dispatcher engine: install "
                                "qt6-speech-speechd-plugin, speech-dispatcher and "
                                "speech-dispatcher-espeak-ng."));
            return;
        }
        speech_ = new QTextToSpeech(Engine, this);
        // The engine reports an error under the C locale until a language is
        // set, and goes on reporting it after: what tells is whether the
        // service answered with its voices.
        speech_->setLocale(locale);
        const QList<QLocale> locales = speech_->availableLocales();
        if (locales.isEmpty()) {
            emit unavailable(tr("Spoken guidance needs the desktop's speech service, which did "
                                "not answer: install speech-dispatcher and "
                                "speech-dispatcher-espeak-ng."));
            return;
        }
        const bool hasVoice =
            std::any_of(locales.begin(), locales.end(),
                        [&locale](const QLocale &l) { return l.language() == locale.language(); });
        if (!hasVoice) {
            emit unavailable(tr("The speech service has no voice for %1: "
                                "speech-dispatcher-espeak-ng provides one.")
                                 .arg(QLocale::languageToString(locale.language())));
            return;
        }
        connect(speech_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            // The end of a phrase stopped a moment ago may come after the
            // next was given: only the end of what was seen begun counts.
            if (state == QTextToSpeech::Speaking)
                begun_ = true;
            else if (state == QTextToSpeech::Ready && begun_ && serial_ >= 0)
                emit spoken(std::exchange(serial_, -1));
        });
        connect(speech_, &QTextToSpeech::errorOccurred, this, [this] {
            if (serial_ >= 0)
                emit spoken(std::exchange(serial_, -1));
            emit unavailable(tr("The desktop's speech service stopped."));
        });
        emit ready();
    }

    Q_INVOKABLE void say(const QString &phrase, int serial)
    {
        // A phrase given up on while the service hung is not said late.
        if (!speech_ || serial != latest_->load()) {
            emit spoken(serial);
            return;
        }
        serial_ = serial;
        begun_ = false;
        speech_->say(phrase);
    }

    // Ends the voice on its own thread, and the thread.
    Q_INVOKABLE void finish()
    {
        deleteLater();
        QThread::currentThread()->quit();
    }

    Q_INVOKABLE void stop()
    {
        serial_ = -1;
        if (speech_)
            speech_->stop();
    }
    Q_INVOKABLE void setRate(double rate)
    {
        if (speech_)
            speech_->setRate(rate);
    }

signals:
    // As the voice's own (the names are moc's in this file).
    void spoken(int);
    void ready();
    void unavailable(const QString &);

private:
    QTextToSpeech *speech_ = nullptr;
    int serial_ = -1;
    bool begun_ = false;
    // The phrase the program wants said now.
    std::shared_ptr<std::atomic<int>> latest_;
};

class ThreadedVoice : public Voice {
public:
    explicit ThreadedVoice(const QLocale &locale)
        : latest_(std::make_shared<std::atomic<int>>(-1)), worker_(new SpeechWorker(latest_)),
          thread_(new QThread)
    {
        thread_->setObjectName(QStringLiteral("Voice"));
        worker_->moveToThread(thread_);
        connect(worker_, &SpeechWorker::spoken, this, &Voice::spoken);
        connect(worker_, &SpeechWorker::ready, this, &Voice::ready);
        connect(worker_, &SpeechWorker::unavailable, this, &Voice::unavailable);
        thread_->start();
        QMetaObject::invokeMethod(worker_, "start", Qt::QueuedConnection, Q_ARG(QLocale, locale));
    }

    ~ThreadedVoice() override
    {
        disconnect(worker_, nullptr, this, nullptr);
        // The engine is let go on its own thread; a service that hangs keeps
        // that thread, never the program, which ends without it.
        QMetaObject::invokeMethod(worker_, "finish", Qt::QueuedConnection);
        if (thread_->wait(StopWaitMs))
            delete thread_;
    }
    ThreadedVoice(const ThreadedVoice &) = delete;
    ThreadedVoice &operator=(const ThreadedVoice &) = delete;

    void say(const QString &phrase, int serial) override
    {
        latest_->store(serial);
        QMetaObject::invokeMethod(worker_, "say", Qt::QueuedConnection, Q_ARG(QString, phrase),
                                  Q_ARG(int, serial));
    }
    void stop() override { QMetaObject::invokeMethod(worker_, "stop", Qt::QueuedConnection); }
    void setRate(double rate) override
    {
        QMetaObject::invokeMethod(worker_, "setRate", Qt::QueuedConnection, Q_ARG(double, rate));
    }

private:
    std::shared_ptr<std::atomic<int>> latest_;
    SpeechWorker *worker_;
    // Left to the end of the program when the service hangs it.
    QThread *thread_;
};

} // namespace

class SpeechPlugin : public QObject, public VoiceFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PRANOTH_SPEECH_IID)
    Q_INTERFACES(pranoth::VoiceFactory)

public:
    Voice *create(const QLocale &locale) override { return new ThreadedVoice(locale); }
};

} // namespace pranoth

#include "speech_plugin.moc"
