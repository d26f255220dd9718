#include "frmPractice.h"

#include "chakra_palette.h"
#include "core/config.h"
#include "core/platform.h"
#include "core/session_services.h"
#include "practice_settings_dialog.h"
#include "program_resources.h"
#include "qt_text.h"
#include "readable_colour.h"
#include "section_text.h"
#include "window_layout.h"
#include "yoga/session_postures.h"
#include "yoga/spoken_guidance.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace pranoth {

namespace {

// "6:40", "0:45".
QString minutesText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// "1:05", or "45" under a minute.
QString clockText(int seconds)
{
    return seconds < 60 ? QString::number(seconds) : minutesText(seconds);
}

QString joined(const std::vector<std::string> &phrases)
{
    QStringList texts;
    for (const std::string &phrase : phrases)
        texts << fromUtf8(phrase);
    return texts.join(QLatin1Char(' '));
}

QString secondsSpoken(int seconds)
{
    return seconds == 1 ? frmPractice::tr("1 second") : frmPractice::tr("%1 seconds").arg(seconds);
}

} // namespace

QString sessionRoleName(SessionRole role)
{
    switch (role) {
    case SessionRole::Advice:
        break;
    case SessionRole::Preparation:
        return frmPractice::tr("Preparation");
    case SessionRole::CounterPose:
        return frmPractice::tr("Counter-pose");
    case SessionRole::Relaxation:
        return frmPractice::tr("Relaxation");
    }
    return {};
}

// The remaining time of the phase in large figures inside a ring that empties
// as it runs. It repaints only when the shown second changes; a screen reader
// reads the time from it when asked, and is never told of it every second.
class PracticeRing : public QWidget {
public:
    explicit PracticeRing(QWidget *parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(120, 120);
        setFocusPolicy(Qt::NoFocus);
    }

    void setTime(int remainingSeconds, Millis phaseMs, bool paused)
    {
        if (remainingSeconds == remaining_ && phaseMs == phaseMs_ && paused == paused_)
            return;
        remaining_ = remainingSeconds;
        phaseMs_ = phaseMs;
        paused_ = paused;
        update();
    }

    int remainingSeconds() const { return remaining_; }

    QString spokenTime() const
    {
        if (remaining_ < 0)
            return {};
        return frmPractice::tr("%1 left of %2%3")
            .arg(secondsSpoken(remaining_),
                 secondsSpoken(static_cast<int>((phaseMs_ + 999) / 1000)),
                 paused_ ? frmPractice::tr(", paused") : QString());
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal side = std::min(width(), height()) - 8.0;
        const qreal pen = std::max(6.0, side / 14.0);
        const QRectF circle((width() - side) / 2 + pen / 2, (height() - side) / 2 + pen / 2,
                            side - pen, side - pen);
        painter.setPen(QPen(palette().color(QPalette::Midlight), pen));
        painter.drawEllipse(circle);
        if (remaining_ < 0)
            return;
        const double share =
            phaseMs_ > 0 ? std::clamp(remaining_ * 1000.0 / static_cast<double>(phaseMs_), 0.0, 1.0)
                         : 0.0;
        QPen arc(palette().color(paused_ ? QPalette::Mid : QPalette::Highlight), pen);
        arc.setCapStyle(Qt::RoundCap);
        painter.setPen(arc);
        painter.drawArc(circle, 90 * 16, static_cast<int>(std::lround(share * 360 * 16)));

        QFont figures = font();
        figures.setPixelSize(std::max(12, static_cast<int>(side * 0.32)));
        figures.setBold(true);
        painter.setFont(figures);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(circle, Qt::AlignCenter, clockText(remaining_));
        if (paused_) {
            // Under the figures, in the ring's grey made readable.
            QFont small = font();
            small.setPixelSize(std::max(10, static_cast<int>(side * 0.08)));
            painter.setFont(small);
            painter.setPen(
                readableOn(palette().color(QPalette::Mid), palette().color(QPalette::Window)));
            const QRectF below(circle.left(), circle.center().y() + side * 0.19, circle.width(),
                               side * 0.12);
            painter.drawText(below, Qt::AlignHCenter | Qt::AlignTop, frmPractice::tr("paused"));
        }
    }

private:
    int remaining_ = -1;
    Millis phaseMs_ = 0;
    bool paused_ = false;
};

namespace {

// The ring to a screen reader: "Time left", and the time as it is now.
class RingAccessible : public QAccessibleWidget {
public:
    explicit RingAccessible(PracticeRing *ring)
        : QAccessibleWidget(ring, QAccessible::StaticText), ring_(ring)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description)
            return ring_->spokenTime();
        return QAccessibleWidget::text(kind);
    }

private:
    PracticeRing *ring_;
};

QAccessibleInterface *ringAccessible(const QString &, QObject *object)
{
    if (auto *ring = dynamic_cast<PracticeRing *>(object))
        return new RingAccessible(ring);
    return nullptr;
}

} // namespace

// The posture's picture, as large as the pane lets it be, never distorted.
class PicturePane : public QWidget {
public:
    explicit PicturePane(QWidget *parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(160, 160);
    }

    void setPicture(const QPixmap &picture)
    {
        picture_ = picture;
        scaled_ = {};
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (picture_.isNull())
            return;
        const qreal ratio = devicePixelRatioF();
        if (scaled_.isNull() || scaled_.size() != fitted(ratio)) {
            scaled_ = picture_.scaled(fitted(ratio), Qt::KeepAspectRatio, Qt::SmoothTransformation);
            scaled_.setDevicePixelRatio(ratio);
        }
        const QSizeF shown = QSizeF(scaled_.size()) / ratio;
        QPainter painter(this);
        painter.drawPixmap(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                           scaled_);
    }

private:
    QSize fitted(qreal ratio) const
    {
        return picture_.size().scaled(size() * ratio, Qt::KeepAspectRatio);
    }

    QPixmap picture_;
    QPixmap scaled_;
};

frmPractice::frmPractice(Platform &platform, SessionServices &services, SessionClock &clock,
                         PracticePlan plan, std::int64_t startedAtUtc, QWidget *parent)
    : QWidget(parent, Qt::Window), platform_(platform), services_(services), clock_(clock),
      plan_(std::move(plan)), startedAtUtc_(startedAtUtc),
      settings_(readPracticeSettings(platform)), beginner_(settings_.beginner),
      shapes_(sessionPostures(plan_, beginner_))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(ringAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled)

    setObjectName(QStringLiteral("frmPractice"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromLatin1(config::Caption) + QStringLiteral(" - ") + tr("Practise Along"));
    setWindowIcon(programIcon());
    setFont(verdana(10));

    pages = new QStackedWidget(this);
    pages->setObjectName(QStringLiteral("pages"));
    auto *sessionPage = new QWidget(pages);

    const auto label = [sessionPage](const char *name, const QString &what) {
        auto *shown = new QLabel(sessionPage);
        shown->setObjectName(QLatin1String(name));
        shown->setWordWrap(true);
        shown->setTextFormat(Qt::PlainText);
        shown->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        describe(shown, what);
        return shown;
    };
    lblPosture = label("lblPosture", tr("The posture in hand"));
    lblPosture->setAlignment(Qt::AlignHCenter);
    lblChakras = label("lblChakras", tr("The chakras this posture serves"));
    lblChakras->setAlignment(Qt::AlignHCenter);
    lblPhase = label("lblPhase", {});
    lblPhase->setAlignment(Qt::AlignCenter);
    // The phase has the focus: a screen reader says each change of it.
    lblPhase->setFocusPolicy(Qt::StrongFocus);
    lblCount = label("lblCount", tr("The place of this posture in the session"));
    lblCount->setAlignment(Qt::AlignCenter);
    lblSessionLeft = label("lblSessionLeft", tr("The time left in the session"));
    lblSessionLeft->setAlignment(Qt::AlignCenter);
    lblNext = label("lblNext", tr("The posture that comes next"));
    lblNext->setAlignment(Qt::AlignCenter);
    lblCautions = label("lblCautions", tr("Cautions"));
    lblCautions->setStyleSheet(QStringLiteral("font-weight: bold"));
    lblCautions->hide();

    ring = new PracticeRing(sessionPage);
    ring->setObjectName(QStringLiteral("ring"));
    ring->setAccessibleName(tr("Time left"));

    view = new QStackedWidget(sessionPage);
    view->setObjectName(QStringLiteral("view"));
    picPosture = new PicturePane(view);
    picPosture->setObjectName(QStringLiteral("picPosture"));
    describe(picPosture, tr("A picture of the posture"), tr("Posture picture"));
    txtRecord = new QTextEdit(view);
    txtRecord->setObjectName(QStringLiteral("txtRecord"));
    txtRecord->setReadOnly(true);
    txtRecord->setUndoRedoEnabled(false);
    txtRecord->setFocusPolicy(Qt::ClickFocus);
    describe(txtRecord, tr("The posture's names, procedure, benefits and cautions"), tr("Posture"));
    view->addWidget(picPosture);
    view->addWidget(txtRecord);

    const auto step = [this](void (PracticeSession::*move)()) {
        return [this, move] {
            if (!session_->finished()) {
                (session_.get()->*move)();
                move_ = SessionMove::User;
                tick();
            }
        };
    };
    const auto adjust = [this](int seconds) {
        return [this, seconds] {
            if (!session_->finished() && session_->adjustHold(seconds))
                tick();
        };
    };
    const auto own = [this](void (frmPractice::*act)()) { return [this, act] { (this->*act)(); }; };
    // The window's keys work wherever its focus is.
    const auto key = [this](const QKeySequence &sequence, const std::function<void()> &act) {
        auto *action = new QAction(this);
        action->setShortcut(sequence);
        addAction(action);
        connect(action, &QAction::triggered, this, act);
    };
    // Buttons never take the focus: every key means the same everywhere.
    const auto button = [this, sessionPage, &key](const QString &text, const char *name,
                                                  const QString &what, const QKeySequence &shortcut,
                                                  const std::function<void()> &act) {
        auto *pushButton = new QPushButton(text, sessionPage);
        pushButton->setObjectName(QLatin1String(name));
        pushButton->setFocusPolicy(Qt::NoFocus);
        pushButton->setAutoDefault(false);
        describe(pushButton, what);
        pushButton->setToolTip(what + QStringLiteral(" (") +
                               shortcut.toString(QKeySequence::NativeText) + QLatin1Char(')'));
        key(shortcut, act);
        connect(pushButton, &QPushButton::clicked, this, act);
        return pushButton;
    };
    cmdPrevious = button(tr("Previous"), "cmdPrevious", tr("Goes back to the previous posture"),
                         Qt::Key_Left, step(&PracticeSession::previous));
    cmdPause = button(tr("Pause"), "cmdPause", tr("Pauses or resumes the session"), Qt::Key_Space,
                      own(&frmPractice::togglePause));
    cmdNext = button(tr("Next"), "cmdNext", tr("Goes on to the next posture"), Qt::Key_Right,
                     step(&PracticeSession::next));
    cmdShorter = button(tr("\u22125 s"), "cmdShorter", tr("Shortens this hold by 5 seconds"),
                        Qt::Key_Minus, adjust(-5));
    cmdLonger = button(tr("+5 s"), "cmdLonger", tr("Lengthens this hold by 5 seconds"),
                       Qt::Key_Plus, adjust(5));
    cmdMute = button(tr("Mute"), "cmdMute", tr("Switches the sounds off or on"), Qt::Key_M,
                     own(&frmPractice::toggleMute));
    cmdProcedure = button(tr("Procedure"), "cmdProcedure",
                          tr("Shows the posture's procedure, or its picture again"), Qt::Key_P,
                          own(&frmPractice::toggleProcedure));
    cmdSettings = button(tr("Settings…"), "cmdSettings",
                         tr("Sets the length of the holds, the get-ready and the rest times"),
                         Qt::Key_S, own(&frmPractice::openSettings));
    cmdFullScreen = button(tr("Full Screen"), "cmdFullScreen",
                           tr("Fills the screen with the session, or leaves full screen"),
                           Qt::Key_F11, own(&frmPractice::toggleFullScreen));
    cmdEnd = button(tr("End"), "cmdEnd", tr("Ends the session and shows its summary"),
                    Qt::Key_Escape, own(&frmPractice::endSession));
    cmdSkip = button(tr("Skip this posture"), "cmdSkip", tr("Leaves this posture out"),
                     Qt::Key_Down, step(&PracticeSession::next));
    cmdSkip->hide();
    cmdMute->setCheckable(true);
    cmdMute->setChecked(settings_.muted);
    // More keys for the same: = and the keypad's + and -, and T for the time left.
    key(Qt::Key_Equal, adjust(5));
    key(Qt::KeypadModifier | Qt::Key_Plus, adjust(5));
    key(Qt::KeypadModifier | Qt::Key_Minus, adjust(-5));
    key(Qt::Key_T, [this] { readTimeLeft(); });

    auto *info = new QVBoxLayout;
    info->addWidget(lblPhase);
    info->addWidget(ring, 1);
    info->addWidget(lblCount);
    info->addWidget(lblSessionLeft);
    info->addWidget(lblNext);

    auto *middle = new QHBoxLayout;
    middle->addWidget(view, 3);
    middle->addLayout(info, 2);

    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {cmdPrevious, cmdPause, cmdNext, cmdShorter, cmdLonger})
        buttons->addWidget(b);
    buttons->addStretch(1);
    for (QPushButton *b : {cmdMute, cmdProcedure, cmdSettings, cmdFullScreen, cmdEnd})
        buttons->addWidget(b);

    auto *cautions = new QHBoxLayout;
    cautions->addWidget(lblCautions, 1);
    cautions->addWidget(cmdSkip);

    auto *sessionLayout = new QVBoxLayout(sessionPage);
    sessionLayout->addWidget(lblPosture);
    sessionLayout->addWidget(lblChakras);
    sessionLayout->addLayout(middle, 1);
    sessionLayout->addLayout(cautions);
    sessionLayout->addLayout(buttons);

    // The summary, once the session has ended.
    auto *summaryPage = new QWidget(pages);
    txtSummary = new QTextEdit(summaryPage);
    txtSummary->setObjectName(QStringLiteral("txtSummary"));
    txtSummary->setReadOnly(true);
    txtSummary->setUndoRedoEnabled(false);
    txtSummary->setTabChangesFocus(true);
    describe(txtSummary, tr("What this session practised"), tr("Session summary"));
    cmdKeep = new QPushButton(tr("&Keep in My History"), summaryPage);
    cmdKeep->setObjectName(QStringLiteral("cmdKeep"));
    cmdKeep->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    describe(cmdKeep, tr("Keeps this session in My History"));
    cmdClose = new QPushButton(tr("&Close"), summaryPage);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    describe(cmdClose, tr("Closes Practise Along"));
    auto *summaryButtons = new QHBoxLayout;
    summaryButtons->addStretch(1);
    summaryButtons->addWidget(cmdKeep);
    summaryButtons->addWidget(cmdClose);
    lblProgress = new QLabel(summaryPage);
    lblProgress->setObjectName(QStringLiteral("lblProgress"));
    lblProgress->setWordWrap(true);
    lblProgress->setTextFormat(Qt::PlainText);
    describe(lblProgress, tr("The holds this session grows, and the week's practice"));
    auto *summaryLayout = new QVBoxLayout(summaryPage);
    summaryLayout->addWidget(txtSummary, 1);
    summaryLayout->addWidget(lblProgress);
    summaryLayout->addLayout(summaryButtons);
    connect(cmdKeep, &QPushButton::clicked, this, [this] {
        if (!kept_)
            emit keepRequested(summary());
    });
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    // What a teacher says before a class, once, before the first posture.
    auto *introPage = new QWidget(pages);
    auto *txtBefore = new QTextEdit(introPage);
    txtBefore->setObjectName(QStringLiteral("txtBefore"));
    txtBefore->setReadOnly(true);
    txtBefore->setUndoRedoEnabled(false);
    txtBefore->setTabChangesFocus(true);
    describe(txtBefore, tr("What to know before a session"), fromLatin1(BeforeYouBeginTitle));
    QString before = fromLatin1(BeforeYouBeginTitle) + QLatin1Char('\n');
    for (const QString &line : fromLatin1(BeforeYouBegin).split(QStringLiteral("\r\n")))
        before += QStringLiteral("\n\u2022 ") + line;
    txtBefore->setPlainText(before);
    cmdBegin = new QPushButton(tr("&Begin"), introPage);
    cmdBegin->setObjectName(QStringLiteral("cmdBegin"));
    cmdBegin->setDefault(true);
    describe(cmdBegin, tr("Begins the session (Enter)"));
    cmdBeginShort = new QPushButton(introPage);
    cmdBeginShort->setObjectName(QStringLiteral("cmdBeginShort"));
    describe(cmdBeginShort, tr("Begins a short session with the postures of the chakras that "
                               "have not been open for longest"));
    cmdBeginShort->hide();
    connect(cmdBeginShort, &QPushButton::clicked, this, &frmPractice::beginShort);
    auto *introButtons = new QHBoxLayout;
    introButtons->addStretch(1);
    introButtons->addWidget(cmdBeginShort);
    introButtons->addWidget(cmdBegin);
    auto *introLayout = new QVBoxLayout(introPage);
    introLayout->addWidget(txtBefore, 1);
    introLayout->addLayout(introButtons);
    connect(cmdBegin, &QPushButton::clicked, this, &frmPractice::begin);

    pages->addWidget(sessionPage);
    pages->addWidget(summaryPage);
    pages->addWidget(introPage);
    pages->setCurrentWidget(introPage);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pages);

    setTabSequence({lblPhase, txtRecord});
    resize(960, 640);
    centreWhenFirstShown(this);

    timer = new QTimer(this);
    timer->setObjectName(QStringLiteral("timer"));
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    connect(timer, &QTimer::timeout, this, [this] { tick(); });

    // The clock waits for the user to begin.
    session_ = std::make_unique<PracticeSession>(shapes_, settings_, clock);
    session_->pause();
    for (QAction *action : actions())
        action->setEnabled(action->shortcut() == QKeySequence(Qt::Key_Escape));
    cmdBegin->setFocus();
}

void frmPractice::offerShortSession(PracticePlan shortPlan)
{
    shortPlan_ = std::move(shortPlan);
    const auto length = [this](const PracticePlan &plan) {
        const Millis ms = PracticeSession::lengthMs(sessionPostures(plan, beginner_), settings_);
        return minutesText(static_cast<int>((ms + 999) / 1000));
    };
    cmdBegin->setText(shortPlan_.empty() ? tr("&Begin")
                                         : tr("&Begin the whole session (%1)").arg(length(plan_)));
    cmdBeginShort->setText(tr("Begin a &short session (%1)").arg(length(shortPlan_)));
    cmdBeginShort->setVisible(!shortPlan_.empty());
}

void frmPractice::setKeptSessions(std::vector<std::int64_t> startsUtc)
{
    keptStarts_ = std::move(startsUtc);
}

void frmPractice::beginShort()
{
    if (pages->currentIndex() != IntroPage || shortPlan_.empty())
        return;
    plan_ = std::exchange(shortPlan_, {});
    shapes_ = sessionPostures(plan_, beginner_);
    session_ = std::make_unique<PracticeSession>(shapes_, settings_, clock_);
    session_->pause();
    begin();
}

QString frmPractice::holdText(int posture) const
{
    const PracticePosture &practice = plan_[asIndex(posture)];
    const int percent = settings_.holdPercent;
    const auto seconds = [percent](int hold) {
        return fromLatin1(
            durationText(static_cast<int>(PracticeSession::scaledHoldMs(hold, percent) / 1000)));
    };
    const HoldGrowth growth = holdGrowth(practice.asana);
    const SessionPosture &shape = shapes_[asIndex(posture)];
    const QString hold = shape.eachSide ? tr("Hold %1 each side").arg(seconds(shape.holdSeconds))
                                        : tr("Hold %1").arg(seconds(shape.holdSeconds));
    return shape.holdSeconds < growth.topSeconds
               ? tr("%1 (growing to %2)").arg(hold, seconds(growth.topSeconds))
               : hold;
}

QStringList frmPractice::grownHolds(const KeptSession &kept) const
{
    QStringList grown;
    for (std::size_t i = 0; i < kept.postures.size() && i < plan_.size(); ++i) {
        const HoldGrowth growth = holdGrowth(plan_[i].asana);
        const int hold = plan_[i].holdSeconds;
        const int next = std::min(hold + growth.stepSeconds, growth.topSeconds);
        if (heldFully(kept.postures[i], growth) && next > hold &&
            !grown.contains(postureName(static_cast<int>(i)), Qt::CaseSensitive))
            grown << tr("%1 %2 → %3")
                         .arg(postureName(static_cast<int>(i)), fromLatin1(durationText(hold)),
                              fromLatin1(durationText(next)));
    }
    return grown;
}

QString frmPractice::progressText(const KeptSession &kept) const
{
    QStringList lines;
    if (const QStringList grown = grownHolds(kept); !grown.isEmpty())
        lines << (kept_ ? tr("Holds grown: %1") : tr("Kept in My History, these holds grow: %1"))
                     .arg(QLocale().createSeparatedList(grown));
    std::vector<std::int64_t> starts = keptStarts_;
    if (kept_)
        starts.push_back(kept.startedAtUtc);
    lines << fromUtf8(weekProgressText(weekProgress(starts, settings_.weeklyGoal, startedAtUtc_)));
    return lines.join(QLatin1Char('\n'));
}

void frmPractice::begin()
{
    if (pages->currentIndex() != IntroPage)
        return;
    pages->setCurrentIndex(SessionPage);
    for (QAction *action : actions())
        action->setEnabled(true);
    services_.setSpeakingRate(settings_.speakingRate);
    session_->resume();
    tick();
    lblPhase->setFocus();
}

frmPractice::~frmPractice()
{
    if (inhibiting_)
        services_.releaseIdle();
}

QString frmPractice::postureName(int posture) const
{
    if (posture < 0 || posture >= static_cast<int>(plan_.size()))
        return {};
    return fromLatin1(postureRecord(plan_[asIndex(posture)].asana).name);
}

QString frmPractice::phaseText(const SessionState &state) const
{
    const bool twoSided = state.posture < static_cast<int>(shapes_.size()) &&
                          shapes_[asIndex(state.posture)].eachSide;
    switch (state.phase) {
    case PracticePhase::GetReady:
        return tr("Get ready");
    case PracticePhase::Hold:
        return twoSided ? tr("Hold: right side") : tr("Hold");
    case PracticePhase::ChangeSides:
        return tr("Change sides");
    case PracticePhase::OtherSide:
        return tr("Other side: left side");
    case PracticePhase::Rest:
        return tr("Rest");
    case PracticePhase::Finished:
        break;
    }
    return tr("Finished");
}

void frmPractice::showPosture(int posture)
{
    shownPosture_ = posture;
    const PracticePosture &practice = plan_[asIndex(posture)];
    const Asana &asana = postureRecord(practice.asana);
    const BeginnerForm &easier = sessionData(practice.asana).beginner;
    const bool easierForm = beginner_ && !easier.name.empty();
    lblPosture->setText(fromLatin1(asana.name) + QStringLiteral(" \u2013 ") +
                        fromLatin1(asana.englishName));
    QString why = sessionRoleName(practice.role);
    if (practice.role == SessionRole::Advice) {
        QStringList chakras;
        for (int k = 0; k < ChakraCount; ++k) {
            if (practice.chakras[asIndex(k)])
                chakras << chakraShortName(k);
        }
        why = (chakras.size() == 1 ? tr("For the %1 chakra") : tr("For the %1 chakras"))
                  .arg(QLocale().createSeparatedList(chakras));
    }
    if (easierForm)
        why += QStringLiteral(" \u00b7 ") + tr("Beginner form: %1").arg(fromLatin1(easier.name));
    why += QStringLiteral(" \u00b7 ") + holdText(posture);
    lblChakras->setText(why);
    std::vector<Section> record = asanaRecord(asana);
    if (easierForm) {
        // The form practised first, then the full record.
        record.insert(
            record.begin(),
            {{SectionKind::PostureHeading, -1, Verdict::Open, "Beginner form\r\n"},
             {SectionKind::PostureName, -1, Verdict::Open, std::string(easier.name) + "\r\n"},
             {SectionKind::PostureText, -1, Verdict::Open,
              std::string(easier.procedure) + "\r\n\r\n"}});
    }
    showSections(txtRecord, record);
    lblCount->setText(tr("%1 of %2").arg(posture + 1).arg(plan_.size()));
}

QPixmap frmPractice::pictureOf(int posture, PracticePhase phase) const
{
    const Int16 id = plan_[asIndex(posture)].asana;
    const SessionPostureData &data = sessionData(id);
    constexpr qreal Dense = 2.0;
    const bool otherSide = phase == PracticePhase::OtherSide;
    if (beginner_ && !data.beginner.picture.empty()) {
        const std::string easier(data.beginner.picture);
        if (QPixmap left = otherSide ? sessionPicture(easier + "-left", Dense) : QPixmap();
            !left.isNull())
            return left;
        if (QPixmap picture = sessionPicture(easier, Dense); !picture.isNull())
            return picture;
    }
    if (otherSide && !data.otherSide.empty())
        return sessionPicture(data.otherSide, Dense);
    if (id < AsanaCount)
        return asanaPicture(asanaPicturePosition(id), Dense);
    return sessionPicture(data.picture, Dense);
}

void frmPractice::tick()
{
    if (pages->currentIndex() == IntroPage)
        return;
    session_->update();
    const SessionState state = session_->state();
    if (state.phase == PracticePhase::Finished) {
        timer->stop();
        if (shown_.phase != PracticePhase::Finished) {
            if (session_->completed() && !settings_.muted)
                services_.playCue(SessionCue::Finished);
            if (session_->anyHeld())
                guide(state, false);
        }
        move_ = SessionMove::Clock;
        shown_ = state;
        followIdle();
        showSummary();
        return;
    }
    showState(state);
    move_ = SessionMove::Clock;
    schedule();
}

void frmPractice::showState(const SessionState &state)
{
    const bool initial = shownPosture_ < 0;
    const bool newPhase = state.phase != shown_.phase || state.posture != shown_.posture || initial;
    const bool newPause = state.paused != shown_.paused;
    // In a rest, the screen already shows the posture that comes next.
    const int onScreen = state.phase == PracticePhase::Rest ? state.posture + 1 : state.posture;
    const bool onShown = onScreen < static_cast<int>(plan_.size());
    if (onScreen != shownPosture_ && onShown)
        showPosture(onScreen);
    if (newPhase && onShown) {
        // The side being held, the beginner's form where it is practised.
        picPosture->setPicture(
            pictureOf(onScreen, onScreen == state.posture ? state.phase : PracticePhase::GetReady));
        // Before a posture that has them, its cautions, with the way to skip it.
        const std::string_view cautions = state.phase == PracticePhase::GetReady
                                              ? cautionsBefore(plan_[asIndex(onScreen)].asana)
                                              : std::string_view();
        lblCautions->setText(fromLatin1(cautions));
        lblCautions->setVisible(!cautions.empty());
        cmdSkip->setVisible(!cautions.empty());
    }

    const QString phase = phaseText(state);
    lblPhase->setText(phase);
    ring->setTime(state.remainingSeconds, state.phaseMs, state.paused);
    lblSessionLeft->setText(
        tr("Session: %1 left")
            .arg(minutesText(static_cast<int>((state.sessionRemainingMs + 999) / 1000))));
    // Getting ready or resting, the posture coming up; holding, the one after it.
    const int next = state.phase == PracticePhase::GetReady ? state.posture : state.posture + 1;
    lblNext->setText(next < static_cast<int>(plan_.size()) ? tr("Next: %1").arg(postureName(next))
                                                           : tr("Last posture"));
    cmdPause->setText(state.paused ? tr("Resume") : tr("Pause"));

    const std::vector<std::string> guidance = guide(state, initial);
    if (newPhase || newPause) {
        // Said to a screen reader at each change, never every second.
        QString spoken = state.paused ? tr("Paused. %1.").arg(phase) : phase + QLatin1Char('.');
        if (state.phase == PracticePhase::GetReady || state.phase == PracticePhase::Rest)
            spoken += QLatin1Char(' ') + tr("Next: %1.").arg(postureName(onScreen));
        else
            spoken += QLatin1Char(' ') + postureName(state.posture) + QLatin1Char('.');
        spoken += QLatin1Char(' ') + tr("%1 of %2, %3.")
                                         .arg(onScreen + 1)
                                         .arg(plan_.size())
                                         .arg(secondsSpoken(state.remainingSeconds));
        // With a screen reader, it says the guidance too: one voice, never two.
        if (!guidance.empty())
            spoken = joined(guidance) + QLatin1Char(' ') + spoken;
        lblPhase->setAccessibleName(spoken);
        if (newPhase && !initial && !settings_.muted)
            services_.playCue(SessionCue::PhaseChange);
    } else if (!guidance.empty()) {
        lblPhase->setAccessibleName(joined(guidance));
    }
    shown_ = state;
    followIdle();
}

std::vector<std::string> frmPractice::guide(const SessionState &state, bool initial)
{
    if (settings_.muted || !settings_.spoken)
        return {};
    const std::optional<SessionState> before =
        initial ? std::nullopt : std::optional<SessionState>(shown_);
    std::vector<std::string> phrases;
    for (const SpokenCue &cue :
         cuesBetween(before, state, move_, settings_.countdown, session_->practisedMs())) {
        const std::vector<std::string> said = phrasesFor(
            cue, plan_, settings_.spokenSteps ? GuidanceDetail::Full : GuidanceDetail::Brief,
            beginner_);
        phrases.insert(phrases.end(), said.begin(), said.end());
    }
    if (phrases.empty())
        return {};
    // A screen reader says them with what the window announces; else the voice does.
    if (services_.screenReaderRunning())
        return phrases;
    const bool newPhase =
        !before || before->phase != state.phase || before->posture != state.posture;
    services_.speak(phrases, !newPhase                    ? SpeechStart::Within
                             : move_ == SessionMove::User ? SpeechStart::Interrupted
                                                          : SpeechStart::NewPhase);
    return {};
}

void frmPractice::schedule()
{
    const Millis wait = session_->untilNextChange();
    if (wait < 0) {
        timer->stop();
        return;
    }
    timer->start(static_cast<int>(std::max<Millis>(1, wait)));
}

void frmPractice::followIdle()
{
    const bool running = !shown_.paused && shown_.phase != PracticePhase::Finished;
    if (running && !inhibiting_)
        services_.inhibitIdle(toUtf8(tr("A practice session is running")));
    else if (!running && inhibiting_)
        services_.releaseIdle();
    inhibiting_ = running;
}

void frmPractice::togglePause()
{
    if (session_->finished())
        return;
    if (session_->state().paused) {
        session_->resume();
        services_.resumeSpeech();
    } else {
        session_->pause();
        services_.pauseSpeech();
    }
    tick();
}

void frmPractice::endSession()
{
    if (pages->currentIndex() != SessionPage) {
        close();
        return;
    }
    session_->end();
    tick();
}

KeptSession frmPractice::summary() const
{
    KeptSession kept;
    kept.startedAtUtc = startedAtUtc_;
    kept.programVersion = std::string(config::Version);
    kept.practisedSeconds = static_cast<int>((session_->practisedMs() + 500) / 1000);
    const int percent = session_->settings().holdPercent;
    for (std::size_t i = 0; i < plan_.size(); ++i) {
        const SessionPosture &shape = shapes_[i];
        const auto planned =
            static_cast<int>(PracticeSession::scaledHoldMs(shape.holdSeconds, percent) / 1000 *
                             (shape.eachSide ? 2 : 1));
        kept.postures.push_back(
            {plan_[i].asana, static_cast<int>((session_->heldMs()[i] + 500) / 1000), planned});
    }
    return kept;
}

void frmPractice::showSummary()
{
    if (!session_->anyHeld()) {
        // Nothing was held: nothing to sum up or keep.
        close();
        return;
    }
    const KeptSession kept = summary();
    const QDateTime started = QDateTime::fromSecsSinceEpoch(kept.startedAtUtc);
    QString text =
        (session_->completed() ? tr("Session finished") : tr("Session ended")) + QLatin1Char('\n');
    text +=
        tr("Started: %1").arg(QLocale().toString(started, QLocale::LongFormat)) + QLatin1Char('\n');
    text += tr("Practised: %1").arg(fromLatin1(durationText(kept.practisedSeconds))) +
            QStringLiteral("\n\n");
    for (const PracticedPosture &posture : kept.postures) {
        text += fromLatin1(postureRecord(posture.asana).name) + QStringLiteral(": ") +
                (posture.heldSeconds > 0 ? fromLatin1(durationText(posture.heldSeconds))
                                         : tr("skipped")) +
                QLatin1Char('\n');
    }
    txtSummary->setPlainText(text.trimmed());
    lblProgress->setText(progressText(kept));
    pages->setCurrentIndex(SummaryPage);
    for (QAction *action : actions())
        action->setEnabled(action->shortcut() == QKeySequence(Qt::Key_Escape) ||
                           action->shortcut() == QKeySequence(Qt::Key_F11));
    cmdKeep->setFocus();
}

void frmPractice::markKept()
{
    kept_ = true;
    lblProgress->setText(progressText(summary()));
    cmdKeep->setText(tr("Kept in My History"));
    cmdKeep->setEnabled(false);
    cmdClose->setFocus();
}

void frmPractice::toggleProcedure()
{
    view->setCurrentIndex(view->currentIndex() == 0 ? 1 : 0);
    cmdProcedure->setText(view->currentIndex() == 0 ? tr("Procedure") : tr("Picture"));
}

void frmPractice::toggleFullScreen()
{
    if (isFullScreen())
        showNormal();
    else
        showFullScreen();
}

void frmPractice::toggleMute()
{
    const PracticeSettings before = settings_;
    settings_.muted = !settings_.muted;
    cmdMute->setChecked(settings_.muted);
    savePracticeSettings(platform_, settings_, before);
    session_->setSettings(settings_);
    if (settings_.muted)
        services_.stopSpeech();
}

void frmPractice::readTimeLeft()
{
    // The ring takes the focus, and a screen reader says its time once.
    ring->setFocusPolicy(Qt::StrongFocus);
    ring->setFocus();
    QAccessibleEvent event(ring, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

void frmPractice::openSettings()
{
    auto *dialog = new PracticeSettingsDialog(
        settings_, fromUtf8(services_.speechUnavailable()),
        startedAtUtc_ + session_->practisedMs() / 1000,
        [this] {
            return platform_.showMessage(toUtf8(tr("Start the plan again? Every hold goes "
                                                   "back to where a new plan starts, and "
                                                   "grows again from the sessions you "
                                                   "keep from now on. The sessions kept "
                                                   "so far stay in My History.")),
                                         MessageIcon::Question,
                                         MessageButtons::YesNo) == MessageAnswer::Yes;
        },
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The session waits while the settings are open, and while what they tell
    // on closing is read.
    const bool holding =
        pages->currentIndex() == SessionPage && !session_->finished() && !session_->state().paused;
    if (holding)
        togglePause();
    connect(dialog, &QDialog::finished, this, [this, dialog, holding](int result) {
        if (result == QDialog::Accepted)
            applySettings(dialog->chosen());
        if (holding && session_->state().paused)
            togglePause();
    });
    dialog->open();
}

void frmPractice::applySettings(const PracticeSettings &chosen)
{
    const PracticeSettings before = settings_;
    settings_ = chosen;
    if (settings_.reminders != before.reminders ||
        (settings_.reminders && (settings_.reminderDays != before.reminderDays ||
                                 settings_.reminderMinute != before.reminderMinute))) {
        if (const std::string why = services_.setReminders(settings_); !why.empty()) {
            settings_.reminders = false;
            platform_.showMessage(why, MessageIcon::Information, MessageButtons::Ok);
        }
    }
    savePracticeSettings(platform_, settings_, before);
    session_->setSettings(settings_);
    services_.setSpeakingRate(settings_.speakingRate);
    if (!settings_.spoken)
        services_.stopSpeech();
    tick();
}

void frmPractice::fitFonts()
{
    // Sizes follow the window, so that the figures are read from the mat.
    const int base = std::max(8, std::min(height(), width() * 2 / 3));
    const auto sized = [](QWidget *widget, int pixels, bool bold) {
        QFont font = widget->font();
        font.setPixelSize(std::max(12, pixels));
        font.setBold(bold);
        widget->setFont(font);
    };
    sized(lblPosture, base / 16, true);
    sized(lblPhase, base / 12, true);
    sized(lblChakras, base / 28, false);
    for (QLabel *small : {lblCount, lblSessionLeft, lblNext})
        sized(small, base / 26, false);
    sized(txtRecord, base / 34, false);
    sized(txtSummary, base / 30, false);
}

void frmPractice::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitFonts();
}

void frmPractice::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        cmdFullScreen->setText(isFullScreen() ? tr("Leave Full Screen") : tr("Full Screen"));
}

void frmPractice::closeEvent(QCloseEvent *event)
{
    timer->stop();
    services_.stopSpeech();
    if (inhibiting_) {
        services_.releaseIdle();
        inhibiting_ = false;
    }
    event->accept();
}

} // namespace pranoth
