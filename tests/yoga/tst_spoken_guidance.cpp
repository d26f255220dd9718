#include "fakes.h"

#include "core/cue_queue.h"
#include "yoga/spoken_guidance.h"

#include <QTest>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// A voice that takes 40 ms a character to say a phrase, on the session's
// fake clock, and logs what it is asked as "SECONDS WHAT".
struct TimedVoice : SpeechEngine {
    explicit TimedVoice(FakeSessionClock &clock) : clock_(clock) {}
    void say(const std::string &phrase) override
    {
        log("say " + phrase);
        doneAt = clock_.awake + 40 * static_cast<Millis>(phrase.size());
    }
    void stop() override
    {
        log("stop");
        doneAt = -1;
    }
    void log(const std::string &what)
    {
        said << QStringLiteral("%1 %2").arg(clock_.awake / 1000.0, 0, 'f', 1).arg(what.c_str());
    }
    FakeSessionClock &clock_;
    Millis doneAt = -1;
    QStringList said;
};

} // namespace

class tst_SpokenGuidance : public QObject {
    Q_OBJECT

private slots:
    void saidInTurn_data();
    void saidInTurn();
};

void tst_SpokenGuidance::saidInTurn_data()
{
    QTest::addColumn<QList<int>>("asanas");
    QTest::addColumn<QString>("settings"); // steps, countdown, hold %, get ready and rest
    QTest::addColumn<QString>("script");   // "SECONDS:next|pause|resume ..."
    QTest::addColumn<QString>("said");

    QTest::newRow("the steps in and out, whole and in order")
        << QList<int>{1} << "steps 100 10 15"
        << ""
        << "0.0 say Get ready for Half- Cobra Pose, Bhujangasana.\n"
           "1.8 say Lie on your stomach with your palms beside your chest and your elbows "
           "close to your body.\n"
           "5.4 say As you breathe in, slowly raise your head and chest, keeping your elbows "
           "bent.\n"
           "10.0 say Hold for 15 seconds.\n"
           "25.0 say Slowly release.\n"
           "25.6 say Breathe out as you lower your chest and forehead to the floor, and rest "
           "with your head turned to one side.\n"
           "29.9 say The session is over.\n"
           "30.7 say You practised for 25 seconds.";
    QTest::newRow("a hold begins: the steps not yet said are dropped, none cut off")
        << QList<int>{1} << "steps 100 3 15"
        << ""
        << "0.0 say Get ready for Half- Cobra Pose, Bhujangasana.\n"
           "1.8 say Lie on your stomach with your palms beside your chest and your elbows "
           "close to your body.\n"
           "5.4 say Hold for 15 seconds.\n"
           "18.0 say Slowly release.\n"
           "18.6 say Breathe out as you lower your chest and forehead to the floor, and rest "
           "with your head turned to one side.\n"
           "22.9 say The session is over.\n"
           "23.7 say You practised for 18 seconds.";
    // The beginner's form: its name, the cautions in short, its own steps in and out.
    QTest::newRow("the beginner's form")
        << QList<int>{8} << "steps beginner 100 30 15"
        << ""
        << "0.0 say Get ready for Shoulder Stand Pose, Sarvangasana.\n"
           "2.0 say The beginner's form: Legs up with the hips supported.\n"
           "4.2 say Keep your neck free and still, with no weight on it, and do not turn your "
           "head.\n"
           "7.4 say Lie on your back with your knees bent and your feet flat on the floor.\n"
           "10.2 say Press your feet down, lift your hips and slide a folded blanket or bolster "
           "under the flat bony part at the base of your spine, then lower your hips onto it.\n"
           "30.0 say Hold for 30 seconds.\n"
           "45.0 say Breathe slowly and evenly.\n"
           "60.0 say Slowly release.\n"
           "60.6 say To come out, bend your knees and put your feet on the floor, lift your hips, "
           "slide the support aside, lower your back to the floor and rest for a few breaths.\n"
           "67.0 say The session is over.\n"
           "67.8 say You practised for 1 minute.";
    // Before the lotus, its cautions in short.
    QTest::newRow("a long hold: one breath in its middle, and the count-down")
        << QList<int>{10} << "brief countdown 50 10 15"
        << ""
        << "0.0 say Get ready for Lotus Pose, Padmasana.\n"
           "1.5 say Never force your foot onto your thigh; if your knee complains, sit in half "
           "lotus or cross-legged.\n"
           "10.0 say Hold for 30 seconds.\n"
           "25.0 say Breathe slowly and evenly.\n"
           "37.0 say 3\n"
           "38.0 say 2\n"
           "39.0 say 1\n"
           "40.0 say Slowly release.\n"
           "40.6 say The session is over.\n"
           "41.4 say You practised for 40 seconds.";
    QTest::newRow("each side, a rest, and what comes next")
        << QList<int>{9, 1} << "brief 50 2 3"
        << ""
        << "0.0 say Get ready for Twist Pose, Ardhamatsyendrasana.\n"
           "1.9 say The right side first.\n"
           "2.8 say Hold for 15 seconds.\n"
           "17.0 say Slowly release, and change sides.\n"
           "18.4 say Now the left side.\n"
           "19.2 say Hold for 15 seconds.\n"
           "32.0 say Slowly release.\n"
           "32.6 say Rest.\n"
           "32.8 say Next: Half- Cobra Pose, Bhujangasana.\n"
           "35.0 say Get ready for Half- Cobra Pose, Bhujangasana.\n"
           "37.0 say Hold for 8 seconds.\n"
           "45.0 say Slowly release.\n"
           "45.6 say The session is over.\n"
           "46.4 say You practised for 45 seconds.";
    // The user's Next cuts off the phrase being said and drops the rest; a
    // pause cuts it off too, and it is said again whole on resuming; a hold
    // the user skips is not released aloud.
    QTest::newRow("the user moves on, and pauses")
        << QList<int>{1, 0} << "steps 100 10 15"
        << "1:next 3:pause 5:resume 15:next"
        << "0.0 say Get ready for Half- Cobra Pose, Bhujangasana.\n"
           "1.0 stop\n"
           "1.0 say Get ready for Frog Pose, Mandukasana.\n"
           "2.5 say Sit on your heels with your knees wide apart and your big toes touching.\n"
           "3.0 stop\n"
           "5.0 say Sit on your heels with your knees wide apart and your big toes touching.\n"
           "7.9 say Rest your forearms on the floor with your palms joined, and lengthen your "
           "spine.\n"
           "13.0 say Hold for 8 seconds.\n"
           "15.0 say The session is over.\n"
           "15.8 say You practised for 13 seconds.";
}

// The session on its fake clock, woken every 100 ms; at each step the cues of
// what changed go to the queue as the window gives them, and the voice
// finishes phrases in its own time.
void tst_SpokenGuidance::saidInTurn()
{
    QFETCH(QList<int>, asanas);
    QFETCH(QString, settings);
    QFETCH(QString, script);
    QFETCH(QString, said);

    const QStringList words = settings.split(QLatin1Char(' '));
    PracticeSettings chosen;
    chosen.holdPercent = words.at(words.size() - 3).toInt();
    chosen.getReadySeconds = words.at(words.size() - 2).toInt();
    chosen.restSeconds = words.last().toInt();
    const GuidanceDetail detail =
        words.contains(QLatin1String("steps")) ? GuidanceDetail::Full : GuidanceDetail::Brief;
    PracticePlan plan;
    for (const int asana : asanas)
        plan.push_back({static_cast<Int16>(asana),
                        {},
                        AsanaCatalogue[asIndex(asana)].hold,
                        SessionRole::Advice,
                        AsanaCatalogue[asIndex(asana)].hold.longestSeconds});

    FakeSessionClock clock;
    TimedVoice voice(clock);
    CueQueue queue(voice);
    // The times to come in and out are the session's own business, tested there.
    std::vector<SessionPosture> postures = sessionPostures(plan, false);
    for (SessionPosture &posture : postures)
        posture.inSeconds = posture.outSeconds = posture.changeSidesSeconds = 0;
    PracticeSession session(postures, chosen, clock);
    std::optional<SessionState> before;
    for (int step = 0; step < 1000 && !(before && session.finished()); ++step) {
        clock.advanceTo(step * 100);
        SessionMove move = SessionMove::Clock;
        for (const QString &action : script.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (action.section(QLatin1Char(':'), 0, 0).toInt() * 1000 != clock.awake)
                continue;
            const QString what = action.section(QLatin1Char(':'), 1);
            if (what == QLatin1String("next")) {
                session.next();
                move = SessionMove::User;
            } else if (what == QLatin1String("pause")) {
                session.pause();
                queue.pause();
            } else {
                session.resume();
                queue.resume();
            }
        }
        if (voice.doneAt >= 0 && voice.doneAt <= clock.awake) {
            voice.doneAt = -1;
            queue.spoken();
        }
        session.update();
        const SessionState now = session.state();
        std::vector<std::string> phrases;
        for (const SpokenCue &cue :
             cuesBetween(before, now, move, words.contains(QLatin1String("countdown")),
                         session.practisedMs())) {
            const auto more =
                phrasesFor(cue, plan, detail, words.contains(QLatin1String("beginner")));
            phrases.insert(phrases.end(), more.begin(), more.end());
        }
        const bool newPhase =
            !before || before->phase != now.phase || before->posture != now.posture;
        if (!phrases.empty())
            queue.say(phrases, !newPhase                   ? SpeechStart::Within
                               : move == SessionMove::User ? SpeechStart::Interrupted
                                                           : SpeechStart::NewPhase);
        before = now;
    }
    for (int step = 0; step < 200 && voice.doneAt >= 0; ++step) {
        clock.advanceTo(clock.awake + 100);
        if (voice.doneAt <= clock.awake) {
            voice.doneAt = -1;
            queue.spoken();
        }
    }
    QCOMPARE(voice.said.join(QLatin1Char('\n')), said);
}

QTEST_APPLESS_MAIN(tst_SpokenGuidance)
#include "tst_spoken_guidance.moc"
