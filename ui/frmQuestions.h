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
// The run logic decides what is shown; the window shows it.
class frmQuestions : public FlowWindow, public QuestionnaireView {
    Q_OBJECT

public:
    explicit frmQuestions(Platform &platform);

    void setLabelText(std::string_view text) override;
    void setQuestionText(std::string_view text) override;
    void selectOption(int option) override;
    int selectedOption() const override;

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
