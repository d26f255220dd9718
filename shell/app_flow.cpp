#include "app_flow.h"

#include "core/config.h"
#include "core/rounding.h"
#include "core/update_reminder.h"
#include "ui/chakra_palette.h"
#include "ui/frmAbout.h"
#include "ui/frmMain.h"
#include "ui/frmPractice.h"
#include "ui/frmQuestions.h"
#include "ui/frmResult.h"
#include "ui/frmYogaChakra.h"
#include "ui/qt_text.h"
#include "yoga/practice_plan.h"

#include <QApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace pranoth {

AppFlow::AppFlow(Platform &platform, QString historyPath, PrintAndHistorySource printAndHistory,
                 SessionServices &services, SessionClock &clock)
    : platform_(platform), services_(services), clock_(clock), historyPath_(std::move(historyPath)),
      makePrintAndHistory_(std::move(printAndHistory))
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

void AppFlow::practiseLastKept()
{
    PrintAndHistory *part = printAndHistory();
    if (!part)
        return;
    const std::vector<KeptResult> kept = part->keptResults();
    const auto newest =
        std::max_element(kept.begin(), kept.end(), [](const KeptResult &a, const KeptResult &b) {
            return a.keptAtUtc < b.keptAtUtc;
        });
    if (newest == kept.end()) {
        platform_.showMessage("There is no kept result to practise from yet: take the test and "
                              "keep its result first.",
                              MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    const Assessment assessment = assess(newest->run);
    if (YogaPlanList plan{}; !buildYogaPlan(assessment.yogaNeeded(), plan)) {
        platform_.showMessage("Every chakra is open in your last kept result: there are no "
                              "postures to practise from it.",
                              MessageIcon::Information, MessageButtons::Ok);
        return;
    }
    completed_ = *newest;
    assessment_ = assessment;
    yogaNeeded_ = assessment.yogaNeeded();
    practiseAlong();
}

void AppFlow::connectWindow(FlowWindow &window)
{
    QObject::connect(&window, &FlowWindow::closing, &window, [this] { windowClosing(); });
    QObject::connect(&window, &FlowWindow::aboutRequested, &window,
                     [this, &window] { showAbout(window); });
    QObject::connect(&window, &FlowWindow::backRequested, &window,
                     [this, &window] { backToMain(window); });
    QObject::connect(&window, &FlowWindow::savePdfRequested, &window, [this] {
        if (PrintAndHistory *part = printAndHistory(); part && completed_)
            part->saveAsPdf(*completed_, *assessment_);
    });
    QObject::connect(&window, &FlowWindow::practiseRequested, &window, [this] { practiseAlong(); });
    QObject::connect(&window, &FlowWindow::keepRequested, &window,
                     [this, &window] { keepResult(window); });
    QObject::connect(&window, &FlowWindow::historyRequested, &window, [this] { showHistory(); });
    QObject::connect(&window, &FlowWindow::printRequested, &window, [this, &window] {
        if (PrintAndHistory *part = printAndHistory(); part && completed_)
            part->print(window, *completed_, *assessment_);
    });
}

frmMain *AppFlow::showMainWindow()
{
    auto *main = new frmMain(platform_);
    connectWindow(*main);
    QObject::connect(main, &frmMain::startTestRequested, main,
                     [this, main] { StartTestRun(*main); });
    QObject::connect(main, &frmMain::historyRequested, main, [this] { showHistory(); });
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

void AppFlow::StartTestRun(frmMain &main)
{
    if (run_.StartTestRun(main.tickedChakras(), platform_) != StartOutcome::Started)
        return;
    auto *questions = new frmQuestions(platform_);
    connectWindow(*questions);
    QObject::connect(questions, &frmQuestions::nextRequested, questions,
                     [this, questions] { NextQuestion(*questions); });
    QObject::connect(questions, &frmQuestions::previousRequested, questions,
                     [this, questions] { PreviousQuestion(*questions); });
    questions->showQuestion(run_.LoadQuestionnaire());
    questions->show();
    navigationClose(main);
}

void AppFlow::PreviousQuestion(frmQuestions &questions)
{
    if (const auto screen = run_.PreviousQuestion())
        questions.showQuestion(*screen);
}

void AppFlow::NextQuestion(frmQuestions &questions)
{
    const NextStep step = run_.NextQuestion(questions.selectedAnswer());
    if (step.question)
        questions.showQuestion(*step.question);
    else if (step.completed)
        CompleteTestRun(questions);
}

void AppFlow::CompleteTestRun(frmQuestions &questions)
{
    completed_ = KeptResult{0, utcSecondsOf(platform_.now()), std::string(config::Version),
                            run_.completedRun()};
    AssessTestRun();
    navigationClose(questions);
}

void AppFlow::AssessTestRun()
{
    assessment_ = assess(completed_->run);
    yogaNeeded_ = assessment_->yogaNeeded();

    auto *result = new frmResult(platform_);
    // The yoga flags belong to the result on screen: they go with its window.
    QObject::connect(result, &FlowWindow::closing, result, [this] { yogaNeeded_.fill(false); });
    connectWindow(*result);
    QObject::connect(result, &frmResult::yogaRequested, result,
                     [this, result] { findChakraYoga(*result); });
    result->showAssessment(*assessment_);
    if (readPracticeSettings(platform_).keepEveryResult)
        keepResult(*result);
    if (PrintAndHistory *part = historyIfKept()) {
        QStringList lines;
        for (const ChakraProgress &moved : chakraProgress(part->overview(), *completed_))
            lines << fromUtf8(progressLine(toUtf8(chakraShortName(moved.chakra)), moved));
        result->showProgress(lines);
    }
    result->show();
}

PrintAndHistory *AppFlow::historyIfKept()
{
    return QFileInfo::exists(historyPath_) ? printAndHistory() : nullptr;
}

void AppFlow::showHistory()
{
    if (PrintAndHistory *part = printAndHistory())
        part->showHistory();
}

PrintAndHistory *AppFlow::printAndHistory()
{
    if (!printAndHistory_ && makePrintAndHistory_) {
        printAndHistory_ = makePrintAndHistory_(platform_, historyPath_);
        if (!printAndHistory_)
            makePrintAndHistory_ = nullptr; // said once; not tried again
    }
    return printAndHistory_.get();
}

void AppFlow::keepResult(FlowWindow &window)
{
    const QPointer<FlowWindow> guard(&window);
    if (completed_ && completed_->id != 0) {
        window.markKept(); // kept already, from the window before
        return;
    }
    if (PrintAndHistory *part = printAndHistory();
        part && completed_ && part->keep(*completed_) && guard)
        window.markKept();
}

void AppFlow::practiseAlong()
{
    if (practice_) {
        practice_->raise();
        practice_->activateWindow();
        return;
    }
    if (!assessment_)
        return;
    YogaPlanList plan{};
    if (!buildYogaPlan(assessment_->yogaNeeded(), plan))
        return;
    PracticePlan whole = buildPracticePlan(plan);
    std::vector<KeptSession> sessions;
    std::vector<KeptResult> results;
    if (PrintAndHistory *part = historyIfKept()) {
        sessions = part->keptSessions();
        results = part->keptResults();
    }
    const PracticeSettings settings = readPracticeSettings(platform_);
    growHolds(whole, sessions, settings.planStartedAtUtc);
    PracticePlan shortPlan = buildShortPracticePlan(
        whole, longestNotOpen(chakraHistory(results, *completed_)), settings);
    auto *practice = new frmPractice(platform_, services_, clock_, std::move(whole),
                                     utcSecondsOf(platform_.now()));
    practice_ = practice;
    std::vector<std::int64_t> starts(sessions.size());
    std::transform(sessions.begin(), sessions.end(), starts.begin(),
                   [](const KeptSession &session) { return session.startedAtUtc; });
    practice->setKeptSessions(std::move(starts));
    practice->offerShortSession(std::move(shortPlan));
    QObject::connect(practice, &frmPractice::keepRequested, practice,
                     [this, practice](const KeptSession &summary) {
                         KeptSession session = summary;
                         const QPointer<frmPractice> guard(practice);
                         if (PrintAndHistory *part = printAndHistory();
                             part && part->keepSession(session) && guard)
                             practice->markKept();
                     });
    practice->show();
}

void AppFlow::findChakraYoga(frmResult &result)
{
    if (!buildYogaPlan(yogaNeeded_, yogaPlan_)) {
        platform_.showMessage("Chakra Yoga not applicable for Open Chakras", MessageIcon::Critical,
                              MessageButtons::Ok);
        return;
    }
    auto *yoga = new frmYogaChakra(platform_, yogaPlan_);
    connectWindow(*yoga);
    if (completed_ && completed_->id != 0)
        yoga->markKept();
    QObject::connect(yoga, &frmYogaChakra::readAloud, yoga, [this](const QStringList &phrases) {
        if (phrases.isEmpty()) {
            services_.stopSpeech();
            return;
        }
        services_.setSpeakingRate(readPracticeSettings(platform_).speakingRate);
        std::vector<std::string> said(static_cast<std::size_t>(phrases.size()));
        std::transform(phrases.begin(), phrases.end(), said.begin(),
                       [](const QString &phrase) { return toUtf8(phrase); });
        services_.speak(said, SpeechStart::Interrupted);
        if (const std::string why = services_.speechUnavailable(); !why.empty())
            platform_.showMessage(why, MessageIcon::Information, MessageButtons::Ok);
    });
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
