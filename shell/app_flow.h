#pragma once

#include "core/platform.h"
#include "core/scoring.h"
#include "core/test_run.h"
#include "yoga/yoga_plan.h"

class QWidget;

namespace pranoth {

class frmMain;
class frmQuestions;

// The program's flow between its windows, its program-wide state, and the
// rule for leaving: a window closed by the program's own navigation leaves it
// running; a window closed by the user runs the shutdown routine.
class AppFlow {
public:
    explicit AppFlow(Platform &platform);

    Platform &platform() { return platform_; }
    TestRun &run() { return run_; }
    ChakraResults &results() { return results_; }
    YogaPlanList &yogaPlan() { return yogaPlan_; }

    // Start-up up to the main window. False when another instance runs: this
    // one has then told the user and shut down.
    bool start();

    // Shows a freshly made main window.
    frmMain *showMainWindow();
    // Brings one of the main window's two promotion lines to the front at random.
    void CoBrand_Randomize(frmMain &main);

    // START TEST in the main window.
    void startTestRun(frmMain &main);
    // Next in the questionnaire window.
    void nextQuestion(frmQuestions &questions);
    // Find Chakra Yoga in the result window: the viewer on the plan for the
    // chakras that are not open, or a word that there is none.
    void findChakraYoga(QWidget &result);
    // Back in the result or yoga window: a fresh main window replaces it.
    void backToMain(QWidget &current);

    // The about window, modal over `opener`.
    void showAbout(QWidget &opener);

    // The close hook of every flow window.
    void windowClosing(QWidget &window);

    // Closes every window and ends the process; runs once.
    void shutdown();
    bool hasShutDown() const { return shuttingDown_; }
    int shutdownRuns() const { return shutdownRuns_; }

private:
    // Closes a window as part of the program's navigation: the program goes on.
    void navigationClose(QWidget &window);

    Platform &platform_;
    TestRun run_;
    ChakraResults results_;
    YogaPlanList yogaPlan_{};
    bool navigating_ = false;
    bool shuttingDown_ = false;
    int shutdownRuns_ = 0;
};

} // namespace pranoth
