#pragma once

#include "core/test_run.h"
#include "flow_window.h"

#include <array>

class QButtonGroup;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace pranoth {

class Announcer;

// The questionnaire: one question at a time, answered Yes, No or Not Sure.
// The run decides what is shown; the window shows it and says what the
// user did.
class frmQuestions : public FlowWindow {
    Q_OBJECT

public:
    explicit frmQuestions(Platform &platform);

    // Shows a question: its label and answer when given, the text always.
    void showQuestion(const QuestionScreen &screen);
    // The answer of the selected option.
    Answer selectedAnswer() const;

signals:
    void nextRequested();
    void previousRequested();

private:
    QFrame *Frame1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lblQNo = nullptr;
    QPlainTextEdit *txtQuestions = nullptr;
    std::array<QRadioButton *, 3> optAnswer{};
    QButtonGroup *answers = nullptr;
    QPushButton *cmdBack = nullptr;
    QPushButton *cmdNext = nullptr;
    QAction *mnuNext = nullptr;
    QAction *mnuBack = nullptr;
    Announcer *announcer_ = nullptr;
};

} // namespace pranoth
