#include "app_flow.h"

#include "core/rounding.h"
#include "core/update_reminder.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/frmQuestions.h"
#include "ui/frmResult.h"
#include "ui/frmYogaChakra.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace pranoth {

AppFlow::AppFlow(Platform &platform, QString historyPath, KeepingFactory makeKeeping)
    : platform_(platform), historyPath_(std::move(historyPath)),
      makeKeeping_(std::move(makeKeeping))
{}

AppFlow::~AppFlow() = default;

bool AppFlow::start()
{
    if (platform_.anotherInstanceRunning()) {
        platform_.activateRunningInstance();
        platform_.showMessage("Application is already running", MessageIcon::Information,
                              MessageButtons::Ok);
        shutdown();
        return false;
    }
    platform_.seedRandomFromClock();
    runUpdateReminder(platform_);
    frmMain *main = showMainWindow();
    CoBrand_Randomize(*main);
    return true;
}

void AppFlow::connectWindow(FlowWindow &window)
{
    QObject::connect(&window, &FlowWindow::closing, &window, [this] { windowClosing(); });
    QObject::connect(&window, &FlowWindow::aboutRequested, &window,
                     [this, &window] { showAbout(window); });
    QObject::connect(&window, &FlowWindow::backRequested, &window,
                     [this, &window] { backToMain(window); });
    QObject::connect(&window, &FlowWindow::savePdfRequested, &window, [this, &window] {
        if (Keeping *part = keeping(); part && shownResult_)
            part->saveAsPdf(window, *shownResult_);
    });
    QObject::connect(&window, &FlowWindow::printRequested, &window, [this, &window] {
        if (Keeping *part = keeping(); part && shownResult_)
            part->print(window, *shownResult_);
    });
}

frmMain *AppFlow::showMainWindow()
{
    auto *main = new frmMain(platform_);
    connectWindow(*main);
    QObject::connect(main, &frmMain::startTestRequested, main,
                     [this, main] { startTestRun(*main); });
    QObject::connect(main, &frmMain::historyRequested, main, [this] {
        if (Keeping *part = keeping())
            part->showHistory();
    });
    main->show();
    return main;
}

void AppFlow::CoBrand_Randomize(frmMain &main)
{
    // r * 6 + 1 to the nearest whole number: 1..7.
    const int choice = static_cast<int>(roundHalfToEven(platform_.uniformRandom() * 6.0 + 1.0));
    if (choice == 1 || choice == 3 || choice == 5)
        main.bringCoBrandToFront();
    else if (choice == 2 || choice == 4 || choice == 6)
        main.bringFullBrandToFront();
}

void AppFlow::startTestRun(frmMain &main)
{
    const QPointer<frmMain> guard(&main);
    if (run_.StartTestRun(main.tickedChakras(), platform_) != StartOutcome::Started)
        return;
    // Events ran during the shuffle: the user may have left meanwhile.
    if (shuttingDown_ || guard.isNull())
        return;
    auto *questions = new frmQuestions(platform_);
    connectWindow(*questions);
    QObject::connect(questions, &frmQuestions::nextRequested, questions,
                     [this, questions] { nextQuestion(*questions); });
    QObject::connect(questions, &frmQuestions::previousRequested, questions,
                     [this, questions] { previousQuestion(*questions); });
    run_.LoadQuestionnaire(*questions);
    questions->show();
    navigationClose(main);
}

void AppFlow::previousQuestion(frmQuestions &questions)
{
    run_.PreviousQuestion(questions);
}

void AppFlow::nextQuestion(frmQuestions &questions)
{
    if (!run_.NextQuestion(questions))
        return;

    // The last answer is in: assess, show the result, close the questionnaire.
    struct Completion : RunCompletionHost {
        Completion(AppFlow &flow, frmQuestions &questions) : flow(flow), questions(questions) {}
        ResultView &createResultWindow() override { return *flow.createResultWindow(); }
        void closeQuestionnaire() override { flow.navigationClose(questions); }
        AppFlow &flow;
        frmQuestions &questions;
    } completion(*this, questions);
    const DateTime completed = platform_.now();
    CompleteTestRun(run_, results_, completion);
    shownResult_ = Keeping::Result{run_, results_, completed};
}

frmResult *AppFlow::createResultWindow()
{
    auto *result = new frmResult(platform_);
    // The yoga flags belong to the result on screen: they go with its window.
    QObject::connect(result, &FlowWindow::closing, result, [this] { results_.clearYogaNeeded(); });
    connectWindow(*result);
    QObject::connect(result, &frmResult::yogaRequested, result,
                     [this, result] { findChakraYoga(*result); });
    QObject::connect(result, &frmResult::keepRequested, result,
                     [this, result] { keepResult(*result); });
    return result;
}

Keeping *AppFlow::keeping()
{
    if (!keeping_ && makeKeeping_) {
        keeping_ = makeKeeping_(platform_, historyPath_);
        if (!keeping_)
            makeKeeping_ = nullptr; // said once; not tried again
    }
    return keeping_.get();
}

void AppFlow::keepResult(frmResult &result)
{
    const QPointer<frmResult> guard(&result);
    if (Keeping *part = keeping(); part && shownResult_ && part->keep(*shownResult_) && guard)
        result.markKept();
}

void AppFlow::findChakraYoga(frmResult &result)
{
    if (!buildYogaPlan(results_.yogaNeeded, yogaPlan_)) {
        platform_.showMessage("Chakra Yoga not applicable for Open Chakras", MessageIcon::Critical,
                              MessageButtons::Ok);
        return;
    }
    auto *yoga = new frmYogaChakra(platform_, yogaPlan_);
    connectWindow(*yoga);
    yoga->show();
    navigationClose(result);
}

void AppFlow::backToMain(QWidget &current)
{
    showMainWindow();
    navigationClose(current);
}

void AppFlow::showAbout(QWidget &opener)
{
    auto *about = new frmAbout(platform_, &opener);
    about->show();
}

void AppFlow::navigationClose(QWidget &window)
{
    navigating_ = true;
    window.close();
    navigating_ = false;
}

void AppFlow::windowClosing()
{
    if (navigating_ || shuttingDown_)
        return;
    shutdown();
}

void AppFlow::shutdown()
{
    if (shuttingDown_)
        return;
    shuttingDown_ = true;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    platform_.endProcess();
}

} // namespace pranoth
