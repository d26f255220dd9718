#pragma once

#include "core/platform.h"
#include "core/scoring.h"
#include "core/test_run.h"
#include "keeping.h"
#include "yoga/yoga_plan.h"

#include <QString>

#include <memory>
#include <optional>

class QWidget;

namespace pranoth {

class FlowWindow;
class frmMain;
class frmQuestions;
class frmResult;

// The program's flow between its windows, its program-wide state, and the
// rule for leaving: a window closed by the program's own navigation leaves it
// running; a window closed by the user runs the shutdown routine. The windows
// say what the user did through their signals; only the flow acts on it.
class AppFlow {
public:
    // `historyPath` is where My History keeps results (empty keeps none);
    // `makeKeeping` makes the keeping part when it is first needed.
    AppFlow(Platform &platform, QString historyPath, KeepingFactory makeKeeping);
    ~AppFlow();
    AppFlow(const AppFlow &) = delete;
    AppFlow &operator=(const AppFlow &) = delete;

    Platform &platform() { return platform_; }
    const TestRun &run() const { return run_; }
    const ChakraResults &results() const { return results_; }

    // Start-up up to the main window. False when another instance runs: this
    // one has then told the user and shut down.
    bool start();

    // Shows a freshly made main window.
    frmMain *showMainWindow();
    // Brings one of the main window's two promotion lines to the front at random.
    void CoBrand_Randomize(frmMain &main);

    // Closes every window and ends the process; runs once.
    void shutdown();

private:
    // START TEST in the main window.
    void startTestRun(frmMain &main);
    // Next and Back in the questionnaire window.
    void nextQuestion(frmQuestions &questions);
    void previousQuestion(frmQuestions &questions);
    // A result window, connected; the assessment fills and shows it.
    frmResult *createResultWindow();
    // Find Chakra Yoga in the result window: the viewer on the plan for the
    // chakras that are not open, or a word that there is none.
    void findChakraYoga(frmResult &result);
    // Back in the result or yoga window: a fresh main window replaces it.
    void backToMain(QWidget &current);
    // The about window, modal over `opener`.
    void showAbout(QWidget &opener);

    // Keep in My History: the result on screen, once.
    void keepResult(frmResult &result);
    // The keeping part (Save as PDF, Print, My History), made when first
    // needed; none, after telling the user, when it cannot be had.
    Keeping *keeping();

    // Connects what every flow window asks of the flow.
    void connectWindow(FlowWindow &window);
    // The close hook of every flow window.
    void windowClosing();
    // Closes a window as part of the program's navigation: the program goes on.
    void navigationClose(QWidget &window);

    Platform &platform_;
    QString historyPath_;
    KeepingFactory makeKeeping_;
    std::unique_ptr<Keeping> keeping_;
    // What Save as PDF, Print and Keep act on: the last completed run.
    std::optional<Keeping::Result> shownResult_;
    TestRun run_;
    ChakraResults results_;
    YogaPlanList yogaPlan_{};
    bool navigating_ = false;
    bool shuttingDown_ = false;
};

} // namespace pranoth
