#include "frmQuestions.h"

#include "qt_text.h"
#include "screen_reader.h"
#include "window_layout.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace pranoth {

frmQuestions::frmQuestions(Platform &platform) : FlowWindow(platform, "frmQuestions", 6420, 4110)
{
    QWidget *area = client();
    setUpPromotion(twipsRect(405, 30, 5640, 465), twipsRect(113, 3240, 6195, 855));

    Frame1 = new QFrame(area);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    place(Frame1, "Frame1", twipsRect(113, 480, 6195, 855));
    Label1 = new QLabel(tr("Remember to answer each question as truthfully as you can."), Frame1);
    place(Label1, "Label1", twipsRect(90, 150, 6045, 225));
    lblQNo = new QLabel(Frame1);
    place(lblQNo, "lblQNo", twipsRect(90, 510, 6045, 225));
    for (QLabel *label : {Label1, lblQNo})
        label->setAlignment(Qt::AlignCenter);
    describe(Frame1, tr("Where you are in the test"), tr("Progress"));
    describe(Label1, tr("A hint"));
    describe(lblQNo, tr("The number of the question on display"));

    txtQuestions = new QPlainTextEdit(area);
    place(txtQuestions, "txtQuestions", twipsRect(128, 1470, 6195, 735));
    txtQuestions->setReadOnly(true);
    txtQuestions->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtQuestions->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtQuestions->setTabChangesFocus(true);
    addKeyboardCaret(txtQuestions);
    describe(txtQuestions, tr("The question to answer"), tr("Question"));
    // The question is spoken with its number as it changes; the focus stays on Next.
    announcer_ = new Announcer(this, [this] {
        return lblQNo->text() + QStringLiteral(". ") + txtQuestions->toPlainText();
    });

    struct OptionPlace {
        const char *caption;
        int left, width;
    };
    const std::array<OptionPlace, 3> options{{{QT_TR_NOOP("Yes"), 3780, 645},
                                              {QT_TR_NOOP("No"), 4440, 735},
                                              {QT_TR_NOOP("Not Sure"), 5070, 1245}}};
    answers = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        const OptionPlace &option = options[asIndex(i)];
        auto *button = new QRadioButton(tr(option.caption), area);
        place(button, qPrintable(QStringLiteral("optAnswer_%1").arg(i)),
              twipsRect(option.left, 2310, option.width, 375));
        answers->addButton(button, i);
        describe(button, tr("Answer the question with %1").arg(button->text()));
        optAnswer[asIndex(i)] = button;
    }
    optAnswer[OptionYes]->setChecked(true);

    cmdBack = new QPushButton(tr("<< &Back"), area);
    place(cmdBack, "cmdBack", twipsRect(4230, 2820, 1005, 405));
    cmdNext = new QPushButton(tr("&Next >>"), area);
    place(cmdNext, "cmdNext", twipsRect(5310, 2820, 1005, 405));
    describe(cmdBack, tr("Goes back to the previous question"));
    describe(cmdNext, tr("Records the answer and shows the next question"));

    setTabSequence({cmdNext, txtQuestions, optAnswer[0], optAnswer[1], optAnswer[2], cmdBack});
    cmdNext->setFocus();

    QMenu *mnuFile = addFileMenu();
    mnuNext = addNamedAction(mnuFile, "mnuNext", tr("&Next"));
    mnuBack = addNamedAction(mnuFile, "mnuBack", tr("&Back"));
    setUpSharedMenus(MenuStyle::Questionnaire);

    connect(cmdNext, &QPushButton::clicked, this, &frmQuestions::nextRequested);
    connect(mnuNext, &QAction::triggered, this, &frmQuestions::nextRequested);
    connect(cmdBack, &QPushButton::clicked, this, &frmQuestions::previousRequested);
    connect(mnuBack, &QAction::triggered, this, &frmQuestions::previousRequested);
}

void frmQuestions::showQuestion(const QuestionScreen &screen)
{
    if (screen.label) {
        lblQNo->setText(fromLatin1(*screen.label));
        // Reached by Tab, the question says its number first.
        txtQuestions->setAccessibleName(lblQNo->text());
    }
    txtQuestions->setPlainText(fromLatin1(screen.question));
    if (screen.selected)
        optAnswer[asIndex(optionOfAnswer(*screen.selected))]->setChecked(true);
    announcer_->changed();
}

Answer frmQuestions::selectedAnswer() const
{
    if (optAnswer[OptionYes]->isChecked())
        return answerOfOption(OptionYes);
    if (optAnswer[OptionNo]->isChecked())
        return answerOfOption(OptionNo);
    return answerOfOption(OptionNotSure);
}

} // namespace pranoth
