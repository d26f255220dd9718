// Random user actions across all windows, from many seeds, with the
// program's invariants checked after every step.
//
//   PRANOTH_SOAK_SEEDS   number of seeds (default 20)
//   PRANOTH_SOAK_FIRST_SEED  the first of them (default 1), to share a long
//                        soak out among processes
//   PRANOTH_SOAK_STEPS   actions per seed (default 1000)
//   PRANOTH_SOAK_SEED    replay this one seed only

#include "window_fixture.h"

#include "ui/frmAbout.h"
#include "ui/frmPractice.h"
#include "ui/frmYogaChakra.h"
#include "ui/link_label.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTextEdit>
#include <QTimer>

#include <map>
#include <random>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

int environmentNumber(const char *name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// One possible user action.
struct Action {
    QString description;
    std::function<void()> perform;
    bool endsProgram = false; // a user close of a flow window
    int weight = 10;
};

class Soak {
public:
    explicit Soak(unsigned seed) : random_(seed), driver_(seed) { hookUp(); }

    // Runs `steps` actions; the empty text when every invariant held.
    QString run(int steps)
    {
        if (!driver_.start())
            return QStringLiteral("the program did not start");
        for (int step = 0; step < steps; ++step) {
            if (driver_.platform.endRequests > 0) {
                restart();
                continue;
            }
            const auto actions = possibleActions();
            if (actions.empty())
                return QStringLiteral("step %1: no window to act on").arg(step);
            const Action &action = weighted(actions);
            log(action.description);
            const int shutdownsBefore = driver_.platform.endRequests;
            action.perform();
            deliverPendingEvents();
            if (const QString broken = brokenInvariant(action, shutdownsBefore); !broken.isEmpty())
                return QStringLiteral("step %1: %2\nlast actions:\n%3")
                    .arg(step)
                    .arg(broken, recent_.join(QLatin1Char('\n')));
        }
        return {};
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // Leaving is rare and moving on common, so that runs reach their end.
    const Action &weighted(const std::vector<Action> &actions)
    {
        int total = 0;
        for (const Action &action : actions)
            total += action.weight;
        int at = pick(total);
        for (const Action &action : actions) {
            if (at < action.weight)
                return action;
            at -= action.weight;
        }
        return actions.back();
    }

public:
    // How often each window was on screen after a step.
    std::map<QString, int> seen;

private:
    bool coin() { return pick(2) == 0; }

    void log(const QString &line)
    {
        recent_.push_back(line);
        if (recent_.size() > 12)
            recent_.pop_front();
    }

    // Message boxes are answered at random.
    void hookUp()
    {
        driver_.platform.onMessage = [this](const ShownMessage &) {
            driver_.platform.answer = coin() ? MessageAnswer::Yes : MessageAnswer::No;
        };
    }

    void restart()
    {
        closeAllWindows();
        driver_.~ProgramDriver();
        new (&driver_) ProgramDriver(static_cast<unsigned>(random_()));
        hookUp();
        driver_.start();
        log(QStringLiteral("-- restart --"));
    }

    static QList<QWidget *> shownWindows()
    {
        QList<QWidget *> shown;
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible() &&
                (qobject_cast<FlowWindow *>(widget) || qobject_cast<frmAbout *>(widget) ||
                 qobject_cast<frmPractice *>(widget) || qobject_cast<QDialog *>(widget)))
                shown << widget;
        return shown;
    }

    std::vector<Action> possibleActions()
    {
        std::vector<Action> actions;
        QWidget *window = nullptr;
        const auto shown = shownWindows();
        for (QWidget *candidate : shown)
            if (qobject_cast<frmAbout *>(candidate) || qobject_cast<QDialog *>(candidate))
                window = candidate; // a modal window takes all input
        if (!window && !shown.isEmpty())
            window = shown[pick(static_cast<int>(shown.size()))];
        if (!window)
            return actions;
        const QPointer<QWidget> target(window);
        const bool flowWindow = qobject_cast<FlowWindow *>(window) != nullptr;
        const QString name = window->objectName();

        for (QAbstractButton *button : window->findChildren<QAbstractButton *>()) {
            if (!button->isVisible() || !button->isEnabled())
                continue;
            const QPointer<QAbstractButton> guard(button);
            const QString buttonName = button->objectName();
            const bool exits = flowWindow && (buttonName == QLatin1String("cmdExit") ||
                                              buttonName == QLatin1String("cmdNav_1"));
            const bool forward = buttonName == QLatin1String("cmdNext") ||
                                 buttonName == QLatin1String("cmdYogaChakra") ||
                                 buttonName == QLatin1String("cmdTest");
            actions.push_back({name + QStringLiteral(": click ") + buttonName,
                               [guard] {
                                   if (guard)
                                       click(guard);
                               },
                               exits, exits ? 1 : (forward ? 80 : 10)});
        }
        for (LinkLabel *label : window->findChildren<LinkLabel *>()) {
            // Only the label in front can be clicked.
            QWidget *parent = label->parentWidget();
            if (!label->isVisible() || parent->childAt(label->geometry().center()) != label)
                continue;
            const QPointer<LinkLabel> guard(label);
            actions.push_back({name + QStringLiteral(": click ") + label->objectName(), [guard] {
                                   if (guard)
                                       click(guard);
                               }});
        }
        if (auto *main = qobject_cast<QMainWindow *>(window)) {
            const auto addMenu = [&](const QList<QAction *> &items, auto &self) -> void {
                for (QAction *item : items) {
                    if (!item->isVisible() || !item->isEnabled() || item->isSeparator())
                        continue;
                    // The file and print dialogs are the platform's own.
                    if (item->objectName() == QLatin1String("mnuSavePdf") ||
                        item->objectName() == QLatin1String("mnuPrint"))
                        continue;
                    if (item->menu()) {
                        self(item->menu()->actions(), self);
                        continue;
                    }
                    const QPointer<QAction> guard(item);
                    actions.push_back({name + QStringLiteral(": menu ") + item->objectName(),
                                       [guard] {
                                           if (guard)
                                               guard->trigger();
                                       },
                                       item->objectName() == QLatin1String("mnuExit"),
                                       item->objectName() == QLatin1String("mnuExit") ? 1 : 4});
                }
            };
            addMenu(main->menuBar()->actions(), addMenu);
        }
        for (const int key : {int(Qt::Key_Space), int(Qt::Key_Tab), int(Qt::Key_Escape),
                              int(Qt::Key_Return), int(Qt::Key_Down)}) {
            QWidget *focus = window->focusWidget();
            // Space, and Enter, press the focused button.
            const bool exits = flowWindow && (key == Qt::Key_Space || key == Qt::Key_Return) &&
                               focus &&
                               (focus->objectName() == QLatin1String("cmdExit") ||
                                focus->objectName() == QLatin1String("cmdNav_1"));
            actions.push_back({name + QStringLiteral(": key %1").arg(key),
                               [target, key] {
                                   if (!target)
                                       return;
                                   QWidget *to = target->focusWidget() ? target->focusWidget()
                                                                       : target.data();
                                   QTest::keyClick(to, Qt::Key(key));
                               },
                               exits, 3});
        }
        // A practice session's keys, and time passing on its clock.
        if (qobject_cast<frmPractice *>(window)) {
            for (const int key :
                 {int(Qt::Key_Left), int(Qt::Key_Right), int(Qt::Key_Plus), int(Qt::Key_Minus),
                  int(Qt::Key_M), int(Qt::Key_T), int(Qt::Key_P), int(Qt::Key_Space)})
                actions.push_back({name + QStringLiteral(": key %1").arg(key),
                                   [target, key] {
                                       if (target)
                                           QTest::keyClick(target, Qt::Key(key));
                                   },
                                   false, 6});
            const Millis passing = std::uniform_int_distribution<Millis>(0, 20'000)(random_);
            actions.push_back({name + QStringLiteral(": %1 ms pass").arg(passing),
                               [this, target, passing] {
                                   driver_.clock.advanceTo(driver_.clock.awake + passing);
                                   if (auto *timer = child<QTimer>(target, "timer"))
                                       timer->start(0);
                               },
                               false, 40});
        }
        actions.push_back({name + QStringLiteral(": close box"),
                           [target] {
                               if (target)
                                   target->close();
                           },
                           flowWindow, flowWindow ? 1 : 10});
        return actions;
    }

    QString brokenInvariant(const Action &action, int shutdownsBefore)
    {
        // The shutdown routine asks the process to end, once.
        if (driver_.platform.endRequests > 1)
            return QStringLiteral("the shutdown routine ran twice");
        if (driver_.platform.endRequests > shutdownsBefore) {
            if (!action.endsProgram)
                return QStringLiteral("the program ended without a user close");
            if (driver_.platform.endRequests != 1)
                return QStringLiteral("the process was asked to end %1 times")
                    .arg(driver_.platform.endRequests);
            if (visibleWindows() != 0)
                return QStringLiteral("a window outlived the shutdown");
            return {};
        }
        if (action.endsProgram && driver_.platform.endRequests == 0)
            return QStringLiteral("a user close left the program running");

        int flowWindows = 0;
        const frmPractice *practice = nullptr;
        const frmResult *result = nullptr;
        const frmQuestions *questions = nullptr;
        for (QWidget *widget : shownWindows()) {
            ++seen[widget->objectName()];
            if (qobject_cast<FlowWindow *>(widget))
                ++flowWindows;
            if (auto *shown = qobject_cast<frmResult *>(widget))
                result = shown;
            if (auto *shown = qobject_cast<frmPractice *>(widget))
                practice = shown;
            if (auto *shown = qobject_cast<frmQuestions *>(widget))
                questions = shown;
        }
        if (flowWindows != 1)
            return QStringLiteral("%1 flow windows are open").arg(flowWindows);

        // The questionnaire shows a question of the bank as "k of N", N a
        // whole number of chakras.
        if (questions) {
            static const QRegularExpression label(
                QStringLiteral("^Question No. (\\d+) of (\\d+)$"));
            const auto match = label.match(child<QLabel>(questions, "lblQNo")->text());
            const int k = match.captured(1).toInt();
            const int n = match.captured(2).toInt();
            if (!match.hasMatch() || k < 1 || k > n || n % QuestionsPerChakra != 0 ||
                n > QuestionBankCount)
                return QStringLiteral("the questionnaire shows \"%1\"")
                    .arg(child<QLabel>(questions, "lblQNo")->text());
            if (shownBankNumber(questions) < 0)
                return QStringLiteral("the questionnaire shows a text that is no question");
        }
        // A session shows its place in the plan; the screen is kept from
        // blanking exactly while it runs unpaused.
        bool running = false;
        if (practice && child<QStackedWidget>(practice, "pages")->currentIndex() == 0) {
            const QStringList place =
                child<QLabel>(practice, "lblCount")->text().split(QStringLiteral(" of "));
            if (place.size() != 2 || place[0].toInt() < 1 || place[0].toInt() > place[1].toInt())
                return QStringLiteral("the practice window shows \"%1\"")
                    .arg(child<QLabel>(practice, "lblCount")->text());
            running = child<QPushButton>(practice, "cmdPause")->text() == QLatin1String("Pause");
        }
        if (driver_.services.inhibited != running)
            return running ? QStringLiteral("a running session let the screen blank")
                           : QStringLiteral("the screen is kept from blanking with no session "
                                            "running");

        // The result says one verdict for each chakra it reports on, in order.
        if (result) {
            static const QRegularExpression verdict(
                QStringLiteral("^Your (.*) is (UnderActive|Open|OverActive)$"),
                QRegularExpression::MultilineOption);
            int previous = -1;
            int verdicts = 0;
            for (auto lines = verdict.globalMatch(child<QTextEdit>(result, "RTB")->toPlainText());
                 lines.hasNext(); ++verdicts) {
                const QString title = lines.next().captured(1);
                int chakra = 0;
                while (chakra < ChakraCount &&
                       QLatin1String(ChakraTitles[chakra].data(),
                                     qsizetype(ChakraTitles[chakra].size())) != title)
                    ++chakra;
                if (chakra <= previous || chakra == ChakraCount)
                    return QStringLiteral("the result reports on \"%1\" out of order").arg(title);
                previous = chakra;
            }
            if (verdicts == 0)
                return QStringLiteral("the result has no verdict");
        }
        return {};
    }

    std::mt19937 random_;
    ProgramDriver driver_;
    QStringList recent_;
};

} // namespace

// What the windows paint is checked by the window tests; here painting would
// take most of the time, so paint events are dropped.
class NoPainting : public QObject {
protected:
    bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Paint; }
};

class tst_Soak : public QObject {
    Q_OBJECT

    NoPainting noPainting_;

    // The offscreen platform warns about size hints at every window it shows,
    // and that it cannot raise one.
    static void quietMessages(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
    {
        if (!message.contains(QLatin1String("propagateSizeHints")) &&
            !message.contains(QLatin1String("does not support raise()")))
            previousHandler(type, context, message);
    }
    static inline QtMessageHandler previousHandler = nullptr;

private slots:
    void initTestCase()
    {
        previousHandler = qInstallMessageHandler(quietMessages);
        qApp->installEventFilter(&noPainting_);
    }

    void randomActionsKeepTheProgramSound()
    {
        const int steps = environmentNumber("PRANOTH_SOAK_STEPS", 1000);
        const int only = environmentNumber("PRANOTH_SOAK_SEED", -1);
        const int seeds = only >= 0 ? 1 : environmentNumber("PRANOTH_SOAK_SEEDS", 20);
        const int first = environmentNumber("PRANOTH_SOAK_FIRST_SEED", 1);
        std::map<QString, int> seen;
        for (int i = 0; i < seeds; ++i) {
            const unsigned seed = only >= 0 ? unsigned(only) : unsigned(first + i);
            Soak soak(seed);
            const QString failure = soak.run(steps);
            for (const auto &[window, count] : soak.seen)
                seen[window] += count;
            closeAllWindows();
            if (!failure.isEmpty())
                QFAIL(qPrintable(QStringLiteral("seed %1 (replay with PRANOTH_SOAK_SEED=%1): %2")
                                     .arg(seed)
                                     .arg(failure)));
        }
        QString counts;
        for (const auto &[window, count] : seen)
            counts += QStringLiteral(" %1 %2").arg(window).arg(count);
        qInfo("%d seeds x %d actions; windows seen after a step:%s", seeds, steps,
              qPrintable(counts));
        // A soak that never gets past the main window proves little.
        if (seeds * steps >= 20000) {
            QVERIFY(seen[QStringLiteral("frmResult")] > 0);
            QVERIFY(seen[QStringLiteral("frmYogaChakra")] > 0);
            QVERIFY(seen[QStringLiteral("frmAbout")] > 0);
            QVERIFY(seen[QStringLiteral("frmPractice")] > 0);
        }
    }
};

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
