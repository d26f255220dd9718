#pragma once

#include "core/platform.h"
#include "core/scoring.h"
#include "core/test_run.h"
#include "yoga/yoga_plan.h"

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
    explicit AppFlow(Platform &platform);

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

    // Connects what every flow window asks of the flow.
    void connectWindow(FlowWindow &window);
    // The close hook of every flow window.
    void windowClosing();
    // Closes a window as part of the program's navigation: the program goes on.
    void navigationClose(QWidget &window);

    Platform &platform_;
    TestRun run_;
    ChakraResults results_;
    YogaPlanList yogaPlan_{};
    bool navigating_ = false;
    bool shuttingDown_ = false;
};

} // namespace pranoth
