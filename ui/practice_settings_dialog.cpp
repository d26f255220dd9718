#include "practice_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QSpinBox>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>

namespace pranoth {

PracticeSettingsDialog::PracticeSettingsDialog(const PracticeSettings &settings,
                                               const QString &speechUnavailable,
                                               std::int64_t nowUtc,
                                               std::function<bool()> confirmReset, QWidget *parent)
    : QDialog(parent), settings_(settings), nowUtc_(nowUtc), confirmReset_(std::move(confirmReset))
{
    setObjectName(QStringLiteral("dlgPracticeSettings"));
    setWindowTitle(tr("Practise Along Settings"));
    const auto spin = [this](const char *name, int low, int high, int step, int value,
                             const QString &suffix) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(low, high);
        box->setSingleStep(step);
        box->setValue(value);
        box->setSuffix(suffix);
        return box;
    };
    spnHold =
        spin("spnHold", PracticeSettings::ShortestHoldPercent, PracticeSettings::LongestHoldPercent,
             PracticeSettings::HoldPercentStep, settings.holdPercent, QStringLiteral(" %"));
    spnGetReady = spin("spnGetReady", 0, PracticeSettings::LongestGetReadySeconds, 1,
                       settings.getReadySeconds, tr(" s"));
    spnRest =
        spin("spnRest", 0, PracticeSettings::LongestRestSeconds, 1, settings.restSeconds, tr(" s"));

    chkBeginner = new QCheckBox(tr("&Beginner: the easier form of the harder postures"), this);
    chkBeginner->setObjectName(QStringLiteral("chkBeginner"));
    chkBeginner->setChecked(settings.beginner);

    const bool voice = speechUnavailable.isEmpty();
    chkSpoken = new QCheckBox(tr("&Spoken guidance"), this);
    chkSpoken->setObjectName(QStringLiteral("chkSpoken"));
    chkSpoken->setChecked(voice && settings.spoken);
    chkSpoken->setEnabled(voice);
    cboSpokenDetail = new QComboBox(this);
    cboSpokenDetail->setObjectName(QStringLiteral("cboSpokenDetail"));
    cboSpokenDetail->addItem(tr("Full: the steps in and out read out"));
    cboSpokenDetail->addItem(tr("Brief: names and phases only"));
    cboSpokenDetail->setCurrentIndex(settings.spokenSteps ? 0 : 1);
    sldSpeakingRate = new QSlider(Qt::Horizontal, this);
    sldSpeakingRate->setObjectName(QStringLiteral("sldSpeakingRate"));
    sldSpeakingRate->setRange(PracticeSettings::SlowestSpeakingRate,
                              PracticeSettings::FastestSpeakingRate);
    sldSpeakingRate->setPageStep(2);
    sldSpeakingRate->setTickPosition(QSlider::TicksBelow);
    sldSpeakingRate->setTickInterval(PracticeSettings::FastestSpeakingRate);
    sldSpeakingRate->setValue(settings.speakingRate);
    sldSpeakingRate->setAccessibleDescription(
        tr("Slower to faster; the middle is the desktop's own rate"));
    chkCountdown = new QCheckBox(tr("Count &down the last three seconds of a hold"), this);
    chkCountdown->setObjectName(QStringLiteral("chkCountdown"));
    chkCountdown->setChecked(settings.countdown);

    auto *rate = new QHBoxLayout;
    rate->addWidget(new QLabel(tr("Slower"), this));
    rate->addWidget(sldSpeakingRate, 1);
    rate->addWidget(new QLabel(tr("Faster"), this));

    auto *form = new QFormLayout;
    form->addRow(tr("&Every hold, against the record's:"), spnHold);
    form->addRow(tr("&Get ready before a posture:"), spnGetReady);
    form->addRow(tr("&Rest after a posture:"), spnRest);
    form->addRow(chkBeginner);
    form->addRow(chkSpoken);
    if (!voice) {
        auto *why = new QLabel(speechUnavailable, this);
        why->setObjectName(QStringLiteral("lblSpeechUnavailable"));
        why->setWordWrap(true);
        form->addRow(why);
    }
    form->addRow(tr("&What is said:"), cboSpokenDetail);
    auto *rateLabel = new QLabel(tr("Speaking ra&te:"), this);
    rateLabel->setBuddy(sldSpeakingRate);
    form->addRow(rateLabel, rate);
    form->addRow(chkCountdown);
    const auto followVoice = [this] {
        const bool on = chkSpoken->isChecked();
        for (QWidget *widget :
             {static_cast<QWidget *>(cboSpokenDetail), static_cast<QWidget *>(sldSpeakingRate),
              static_cast<QWidget *>(chkCountdown)})
            widget->setEnabled(on);
    };
    connect(chkSpoken, &QCheckBox::toggled, this, followVoice);
    followVoice();

    // The weeks: the goal, the reminders, the plan.
    spnWeeklyGoal = spin("spnWeeklyGoal", 1, PracticeSettings::LongestWeeklyGoal, 1,
                         settings.weeklyGoal, QString());
    form->addRow(tr("Sess&ions a week:"), spnWeeklyGoal);
    chkReminders = new QCheckBox(tr("Re&mind me to practise on:"), this);
    chkReminders->setObjectName(QStringLiteral("chkReminders"));
    chkReminders->setChecked(settings.reminders);
    auto *days = new QHBoxLayout;
    for (int day = 0; day < 7; ++day) {
        // Monday first, whatever the locale's first day of the week.
        auto *box = new QCheckBox(QLocale().dayName(day + 1, QLocale::ShortFormat), this);
        box->setObjectName(QStringLiteral("chkReminderDays_%1").arg(day));
        box->setChecked((settings.reminderDays >> day & 1) != 0);
        days->addWidget(box);
        chkReminderDays[static_cast<std::size_t>(day)] = box;
    }
    tmeReminder = new QTimeEdit(QTime(0, 0).addSecs(settings.reminderMinute * 60), this);
    tmeReminder->setObjectName(QStringLiteral("tmeReminder"));
    // The locale's own hours and minutes; some locales' short format (C's among
    // them) still carries seconds, which a reminder has no use for.
    tmeReminder->setDisplayFormat(QLocale()
                                      .timeFormat(QLocale::ShortFormat)
                                      .remove(QRegularExpression(QStringLiteral("[.:]?s+"))));
    tmeReminder->setAccessibleName(tr("Reminder time"));
    days->addWidget(tmeReminder);
    days->addStretch(1);
    form->addRow(chkReminders);
    form->addRow(days);
    const auto followReminders = [this] {
        for (QCheckBox *day : chkReminderDays)
            day->setEnabled(chkReminders->isChecked());
        tmeReminder->setEnabled(chkReminders->isChecked());
    };
    connect(chkReminders, &QCheckBox::toggled, this, followReminders);
    followReminders();
    chkKeepEveryResult = new QCheckBox(tr("&Keep every result in My History"), this);
    chkKeepEveryResult->setObjectName(QStringLiteral("chkKeepEveryResult"));
    chkKeepEveryResult->setChecked(settings.keepEveryResult);
    form->addRow(chkKeepEveryResult);
    auto *cmdResetPlan = new QPushButton(tr("Start the &plan again…"), this);
    cmdResetPlan->setObjectName(QStringLiteral("cmdResetPlan"));
    cmdResetPlan->setToolTip(
        tr("Every hold starts again from the bottom of its range; the sessions kept stay kept"));
    connect(cmdResetPlan, &QPushButton::clicked, this, [this, cmdResetPlan] {
        if (!confirmReset_())
            return;
        settings_.planStartedAtUtc = nowUtc_;
        cmdResetPlan->setEnabled(false);
        cmdResetPlan->setText(tr("The plan starts again"));
    });
    form->addRow(cmdResetPlan);

    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(box);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

PracticeSettings PracticeSettingsDialog::chosen() const
{
    PracticeSettings chosen = settings_;
    chosen.holdPercent = spnHold->value();
    chosen.getReadySeconds = spnGetReady->value();
    chosen.restSeconds = spnRest->value();
    // Without a voice the user's choice is kept as it was.
    if (chkSpoken->isEnabled())
        chosen.spoken = chkSpoken->isChecked();
    chosen.spokenSteps = cboSpokenDetail->currentIndex() == 0;
    chosen.speakingRate = sldSpeakingRate->value();
    chosen.countdown = chkCountdown->isChecked();
    chosen.beginner = chkBeginner->isChecked();
    chosen.weeklyGoal = spnWeeklyGoal->value();
    chosen.reminders = chkReminders->isChecked();
    int days = 0;
    for (int day = 0; day < 7; ++day) {
        if (chkReminderDays[static_cast<std::size_t>(day)]->isChecked())
            days |= 1 << day;
    }
    // Reminders on no day are reminders off.
    chosen.reminderDays = days != 0 ? days : settings_.reminderDays;
    chosen.reminders = chosen.reminders && days != 0;
    const QTime time = tmeReminder->time();
    chosen.reminderMinute = time.hour() * 60 + time.minute();
    chosen.keepEveryResult = chkKeepEveryResult->isChecked();
    return chosen;
}

} // namespace pranoth
