#pragma once

// Drives the real windows on the offscreen platform, with the platform seam
// replaced by a recorder.

#include "fakes.h"

#include "shell/app_flow.h"
#include "ui/frmMain.h"
#include "ui/frmQuestions.h"
#include "ui/frmResult.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace pranoth::testing {

// A control of a window, found by its object name as a user's tools find it;
// the members of a control array carry their index: "optAnswer_2".
template <typename Control = QWidget>
Control *child(const QObject *window, const char *name, int index = -1)
{
    if (!window)
        return nullptr;
    const QString objectName = index < 0
                                   ? QLatin1String(name)
                                   : QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
    return window->findChild<Control *>(objectName);
}

// The open top-level window of a given type, if exactly one is open.
template <typename Window> Window *openWindow()
{
    Window *found = nullptr;
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible()) {
            found = window;
            ++count;
        }
    }
    return count == 1 ? found : nullptr;
}

// The number of visible flow windows.
inline int visibleWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->isWindow() ? 1 : 0;
    return count;
}

// Lets closed windows be deleted, as the event loop would.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Delivers what is pending as a user's event loop would, deletions included.
inline void deliverPendingEvents()
{
    QCoreApplication::processEvents();
    flushDeletes();
}

// Closes whatever a test left open without running the program's shutdown.
inline void closeAllWindows()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        widget->setAttribute(Qt::WA_DeleteOnClose);
        widget->hide();
        widget->deleteLater();
    }
    flushDeletes();
}

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

// The bank number of the question the questionnaire shows, found by its text
// in the question bank; -1 for a text that is not a question.
inline int shownBankNumber(const frmQuestions *questions)
{
    const QString shown = child<QPlainTextEdit>(questions, "txtQuestions")->toPlainText();
    for (int bank = 0; bank < QuestionBankCount; ++bank) {
        if (QString::fromLatin1(QuestionBank[asIndex(bank)].data(),
                                qsizetype(QuestionBank[asIndex(bank)].size())) == shown)
            return bank;
    }
    return -1;
}

// The program with a recording platform, and the steps a user takes through it.
struct ProgramDriver {
    explicit ProgramDriver(unsigned seed = 5)
        : platform(seed), flow(platform, home.filePath(QStringLiteral("history.sqlite")),
                               &makePrintAndHistory, services, clock)
    {}
    ~ProgramDriver() { closeAllWindows(); }
    ProgramDriver(const ProgramDriver &) = delete;
    ProgramDriver &operator=(const ProgramDriver &) = delete;

    // Starts the program with the co-brand line in front; the main window.
    frmMain *start()
    {
        platform.scriptedDraws = {0.0};
        if (!flow.start())
            return nullptr;
        return openWindow<frmMain>();
    }

    // Ticks the given chakras and presses START TEST.
    frmQuestions *startTest(frmMain *main, std::initializer_list<int> chakras)
    {
        for (const int k : chakras)
            click(child<QCheckBox>(main, "chkChakras", static_cast<std::size_t>(k)));
        click(child<QPushButton>(main, "cmdTest"));
        flushDeletes();
        return openWindow<frmQuestions>();
    }

    // Answers every remaining question with the given option, by button,
    // until the questionnaire closes.
    frmResult *answerAll(frmQuestions *questions, int option)
    {
        for (const QPointer<frmQuestions> asking(questions); asking && asking->isVisible();) {
            click(child<QRadioButton>(questions, "optAnswer", static_cast<std::size_t>(option)));
            click(child<QPushButton>(questions, "cmdNext"));
        }
        flushDeletes();
        return openWindow<frmResult>();
    }

    // Answers the first `matches` questions with their key and the rest
    // "Not Sure": with one chakra ticked, its score is `matches`.
    frmResult *answerForScore(frmQuestions *questions, int matches)
    {
        int given = 0;
        for (const QPointer<frmQuestions> asking(questions); asking && asking->isVisible();) {
            const Answer key = keyAnswer(shownBankNumber(questions));
            const int option = given++ < matches ? optionOfAnswer(key) : OptionNotSure;
            click(child<QRadioButton>(questions, "optAnswer", static_cast<std::size_t>(option)));
            click(child<QPushButton>(questions, "cmdNext"));
        }
        flushDeletes();
        return openWindow<frmResult>();
    }

    // A result window for the given chakras, each answered all "Not Sure".
    frmResult *resultFor(std::initializer_list<int> chakras)
    {
        return answerAll(startTest(start(), chakras), OptionNotSure);
    }

    QTemporaryDir home; // where My History keeps what a test keeps
    FakePlatform platform;
    FakeSessionServices services;
    FakeSessionClock clock;
    AppFlow flow;
};

} // namespace pranoth::testing
