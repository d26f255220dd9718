#pragma once

#include "core/practice_session.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QSlider;
class QSpinBox;
class QTimeEdit;

namespace pranoth {

// Practise Along's settings: the holds against the records', the times to
// get ready and to rest, the voice, the weekly goal and its reminders, and
// keeping every result; and a way to start the growing plan again. Where the desktop has no voice
// the voice's settings are off, with one line that says why.
class PracticeSettingsDialog : public QDialog {
    Q_OBJECT

public:
    // `nowUtc` is when a reset of the plan starts it again; `confirmReset`
    // asks the user first.
    PracticeSettingsDialog(const PracticeSettings &settings, const QString &speechUnavailable,
                           std::int64_t nowUtc, std::function<bool()> confirmReset,
                           QWidget *parent);

    // The settings as the dialog shows them.
    PracticeSettings chosen() const;

private:
    PracticeSettings settings_;
    QSpinBox *spnHold = nullptr;
    QSpinBox *spnGetReady = nullptr;
    QSpinBox *spnRest = nullptr;
    QCheckBox *chkSpoken = nullptr;
    QComboBox *cboSpokenDetail = nullptr;
    QSlider *sldSpeakingRate = nullptr;
    QCheckBox *chkCountdown = nullptr;
    QCheckBox *chkBeginner = nullptr;
    QSpinBox *spnWeeklyGoal = nullptr;
    QCheckBox *chkReminders = nullptr;
    std::array<QCheckBox *, 7> chkReminderDays{};
    QTimeEdit *tmeReminder = nullptr;
    QCheckBox *chkKeepEveryResult = nullptr;
    std::int64_t nowUtc_;
    std::function<bool()> confirmReset_;
};

} // namespace pranoth
