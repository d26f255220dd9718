#pragma once

#include "core/kept_session.h"
#include "core/practice_cues.h"
#include "core/practice_session.h"
#include "yoga/practice_plan.h"

#include <QMetaType>
#include <QWidget>

#include <memory>

class QLabel;
class QPixmap;
class QPushButton;
class QStackedWidget;
class QTextEdit;
class QTimer;

namespace pranoth {

class Platform;
class PracticeRing;
class PicturePane;
class SessionServices;

// Practise Along: a guided session through the postures of a practice plan,
// made to be followed from the mat, two metres away. The picture large, the
// posture's name, the phase and its remaining time in large figures with a
// ring, the place in the session, the time left and the next posture; the
// posture's record one click away. Space pauses, Right and Left move on and
// back, + and - change the hold by 5 s, M mutes, F11 fills the screen, T
// reads out the time left, Esc ends the session and shows its summary, which
// the user may keep in My History. Before the first posture, what a teacher
// says before a class (Enter begins); before a posture with cautions, the
// cautions, with Down to skip it. A voice says what to do, as a teacher
// would: the posture and how to come into it, the hold, a breath, the way
// out, the other side, what comes next.
class frmPractice : public QWidget {
    Q_OBJECT

public:
    // `startedAtUtc` is the session's start on the calendar.
    frmPractice(Platform &platform, SessionServices &services, SessionClock &clock,
                PracticePlan plan, std::int64_t startedAtUtc, QWidget *parent = nullptr);
    ~frmPractice() override;

    // The session is kept in My History: the button says so and is done.
    void markKept();
    // Beside the whole session, a short one to begin instead.
    void offerShortSession(PracticePlan shortPlan);
    // When the sessions kept so far started, for the weeks of practice.
    void setKeptSessions(std::vector<std::int64_t> startsUtc);

signals:
    void keepRequested(const pranoth::KeptSession &session);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum Page { SessionPage, SummaryPage, IntroPage };

    // Leaves the words before the session and starts its clock.
    void begin();
    // The short session instead of the whole one, begun.
    void beginShort();
    // "Hold 12 s (growing to 15 s)" for a posture of the plan.
    QString holdText(int posture) const;
    // The postures whose holds this session grows, as "Bhujangasana 10 s → 11 s".
    QStringList grownHolds(const KeptSession &kept) const;
    // The summary's words on the holds and the week, as they stand.
    QString progressText(const KeptSession &kept) const;
    // Reads the clock, shows what changed and sets the timer for the next change.
    void tick();
    void showState(const SessionState &state);
    // What is said of the step to `state` (`initial`: the session's first):
    // given to the voice, or, with a screen reader running, returned for the
    // window to announce.
    std::vector<std::string> guide(const SessionState &state, bool initial);
    void showPosture(int posture);
    // The picture of a posture in a phase: its beginner form, its other side.
    QPixmap pictureOf(int posture, PracticePhase phase) const;
    void schedule();
    void togglePause();
    void endSession();
    void showSummary();
    void toggleProcedure();
    void toggleFullScreen();
    void toggleMute();
    void readTimeLeft();
    void openSettings();
    void applySettings(const PracticeSettings &chosen);
    void fitFonts();
    // Idle inhibition follows the session: held while it runs, released otherwise.
    void followIdle();
    KeptSession summary() const;
    QString phaseText(const SessionState &state) const;
    QString postureName(int posture) const;

    Platform &platform_;
    SessionServices &services_;
    SessionClock &clock_;
    PracticePlan plan_;
    PracticePlan shortPlan_;
    std::vector<std::int64_t> keptStarts_;
    std::int64_t startedAtUtc_;
    PracticeSettings settings_;
    // The forms of this session: a change of the setting applies to the next.
    bool beginner_;
    std::vector<SessionPosture> shapes_;
    std::unique_ptr<PracticeSession> session_;
    SessionState shown_;
    int shownPosture_ = -1;
    SessionMove move_ = SessionMove::Clock;
    bool inhibiting_ = false;
    bool kept_ = false;

    QStackedWidget *pages = nullptr;
    QStackedWidget *view = nullptr; // the picture, or the record
    PicturePane *picPosture = nullptr;
    QTextEdit *txtRecord = nullptr;
    QLabel *lblPosture = nullptr;
    QLabel *lblChakras = nullptr;
    QLabel *lblPhase = nullptr;
    PracticeRing *ring = nullptr;
    QLabel *lblCount = nullptr;
    QLabel *lblSessionLeft = nullptr;
    QLabel *lblNext = nullptr;
    QLabel *lblCautions = nullptr;
    QPushButton *cmdSkip = nullptr;
    QPushButton *cmdBegin = nullptr;
    QPushButton *cmdBeginShort = nullptr;
    QPushButton *cmdPrevious = nullptr;
    QPushButton *cmdPause = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdShorter = nullptr;
    QPushButton *cmdLonger = nullptr;
    QPushButton *cmdMute = nullptr;
    QPushButton *cmdProcedure = nullptr;
    QPushButton *cmdSettings = nullptr;
    QPushButton *cmdFullScreen = nullptr;
    QPushButton *cmdEnd = nullptr;
    QTextEdit *txtSummary = nullptr;
    QLabel *lblProgress = nullptr;
    QPushButton *cmdKeep = nullptr;
    QPushButton *cmdClose = nullptr;
    QTimer *timer = nullptr;
};

// Why a posture that no chakra's advice names is in a session:
// "Preparation", "Counter-pose", "Relaxation"; none for advice.
QString sessionRoleName(SessionRole role);

} // namespace pranoth

Q_DECLARE_METATYPE(pranoth::KeptSession)
