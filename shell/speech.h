#pragma once

#include "core/config.h"

#include <QObject>
#include <QString>
#include <QtPlugin>

class QLocale;

namespace pranoth {

// A voice of the desktop's speech service, one phrase at a time. It starts
// on a thread of its own, so that a speech server that is slow to start,
// hangs or dies never holds up a window.
class Voice : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Says `phrase` as phrase number `serial`; spoken(serial) follows when it
    // is done, or has failed.
    virtual void say(const QString &phrase, int serial) = 0;
    virtual void stop() = 0;
    // -1 (slowest) to 1 (fastest); 0 the service's usual rate.
    virtual void setRate(double rate) = 0;

signals:
    void spoken(int serial);
    // The voice is there: phrases are said from now on.
    void ready();
    // No voice, and why, in one line for the user.
    void unavailable(const QString &why);
};

// The plugin's one object.
class VoiceFactory {
public:
    virtual ~VoiceFactory() = default;
    // A voice for `locale`'s language, started at once; its signals say how that went.
    virtual Voice *create(const QLocale &locale) = 0;
};

} // namespace pranoth

Q_DECLARE_INTERFACE(pranoth::VoiceFactory, PRANOTH_SPEECH_IID)
