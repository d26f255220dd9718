#pragma once

#include "core/assessment.h"
#include "core/kept_result.h"
#include "core/platform.h"
#include "core/practice_session.h"
#include "core/session_services.h"
#include "core/test_run.h"
#include "print_and_history.h"
#include "yoga/yoga_plan.h"

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace pranoth {

class FlowWindow;
class frmMain;
class frmPractice;
class frmQuestions;
class frmResult;

// Makes the printing, PDF and My History part when it is first needed; none
// when it cannot be had (the maker has told the user why).
using PrintAndHistorySource =
    std::function<std::unique_ptr<PrintAndHistory>(Platform &platform, const QString &historyPath)>;

// The program's flow between its windows, its program-wide state, and the
// rule for leaving: a window closed by the program's own navigation leaves it
// running; a window closed by the user runs the shutdown routine. The flow
// makes the windows; they say what the user did through their signals, the
// flow gives it to the test run and shows the windows what to show.
class AppFlow {
public:
    // `historyPath` is where My History keeps results (empty keeps none);
    // practice sessions use the desktop's `services` and run on `clock`.
    AppFlow(Platform &platform, QString historyPath, PrintAndHistorySource printAndHistory,
            SessionServices &services, SessionClock &clock);
    ~AppFlow();
    AppFlow(const AppFlow &) = delete;
    AppFlow &operator=(const AppFlow &) = delete;

    // Start-up up to the main window. False when another instance runs: this
    // one has then told the user and shut down.
    bool start();

    // After start(), for --practise: Practise Along on the newest result kept
    // in My History, as if it had just been shown; where there is none, or
    // every chakra of it is open, the user is told so and the main window
    // stays as it is.
    void practiseLastKept();

    // Closes every window and ends the process; runs once.
    void shutdown();

private:
    // Shows a freshly made main window.
    frmMain *showMainWindow();
    // Brings one of the main window's two promotion lines to the front at random.
    void CoBrand_Randomize(frmMain &main);
    // START TEST in the main window.
    void StartTestRun(frmMain &main);
    // Next and Back in the questionnaire window.
    void NextQuestion(frmQuestions &questions);
    void PreviousQuestion(frmQuestions &questions);
    // After the last answer: the assessment shows the result window, then the
    // questionnaire window closes.
    void CompleteTestRun(frmQuestions &questions);
    // Assesses the run, shows the result in a new result window and notes the
    // chakras that need yoga.
    void AssessTestRun();
    // Find Chakra Yoga in the result window: the viewer on the plan for the
    // chakras that are not open, or a word that there is none.
    void findChakraYoga(frmResult &result);
    // Back in the result or yoga window: a fresh main window replaces it.
    void backToMain(QWidget &current);
    // The about window, modal over `opener`.
    void showAbout(QWidget &opener);

    // Practise Along from the result or yoga window: a practice window on
    // the postures of the last result (one at a time; asked again, it comes
    // to the front).
    void practiseAlong();

    // Keep in My History: the result on screen, once.
    void keepResult(FlowWindow &window);
    // My History's window.
    void showHistory();
    // The printing, PDF and My History part where a history has been kept;
    // none, without loading it, where nothing has been kept yet.
    PrintAndHistory *historyIfKept();
    // Printing, PDF and My History, made when first needed; none, after
    // telling the user, when it cannot be had.
    PrintAndHistory *printAndHistory();

    // Connects what every flow window asks of the flow.
    void connectWindow(FlowWindow &window);
    // The close hook of every flow window.
    void windowClosing();
    // Closes a window as part of the program's navigation: the program goes on.
    void navigationClose(QWidget &window);

    Platform &platform_;
    SessionServices &services_;
    SessionClock &clock_;
    QPointer<frmPractice> practice_;
    QString historyPath_;
    PrintAndHistorySource makePrintAndHistory_;
    std::unique_ptr<PrintAndHistory> printAndHistory_;
    TestRun run_;
    // The last completed run and what the assessment made of it: what Save
    // as PDF, Print and Keep act on.
    std::optional<KeptResult> completed_;
    std::optional<Assessment> assessment_;
    // The chakras of the result on screen that are not open; cleared when
    // its window closes.
    std::array<bool, ChakraSlots> yogaNeeded_{};
    YogaPlanList yogaPlan_{};
    bool navigating_ = false;
    bool shuttingDown_ = false;
};

} // namespace pranoth
