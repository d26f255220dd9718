#include "frmYogaChakra.h"

#include "program_resources.h"
#include "qt_text.h"
#include "screen_reader.h"
#include "section_text.h"
#include "window_layout.h"
#include "yoga/asana_catalogue.h"
#include "yoga/spoken_guidance.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextEdit>

#include <utility>

namespace pranoth {

// Laid out in twips like the other windows, on a grid of whole pixels: the
// picture and its chakra on the left of the frame, the record on the right
// with its own Back and Next below it; the branding, Back and Exit at the foot.
frmYogaChakra::frmYogaChakra(Platform &platform, const YogaPlanList &plan)
    : FlowWindow(platform, "frmYogaChakra", 10800, 7155)
{
    QWidget *area = client();
    setUpPromotion(twipsRect(600, 60, 9600, 300), twipsRect(120, 5640, 7185, 855));

    Frame1 = new QGroupBox(tr("Pranoth Interpretation"), area);
    place(Frame1, "Frame1", twipsRect(120, 420, 10560, 5100));
    Frame1->setFont(verdana(9, true));
    describe(Frame1, tr("The recommended yoga posture on display"));

    picYoga = new QLabel(Frame1);
    place(picYoga, "picYoga", twipsRect(180, 360, 3780, 3780));
    picYoga->setFrameShape(QFrame::Box);
    picYoga->setAlignment(Qt::AlignCenter);
    describe(picYoga, tr("A picture of the posture"), tr("Posture picture"));

    lblChakraName = new QLabel(tr("Chakra Name"), Frame1);
    place(lblChakraName, "lblChakraName", twipsRect(180, 4260, 3780, 600));
    lblChakraName->setFont(verdana(9, true));
    lblChakraName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblChakraName->setWordWrap(true);
    describe(lblChakraName, tr("The chakra this posture is recommended for"));

    RTB = new QTextEdit(Frame1);
    place(RTB, "RTB", twipsRect(4140, 360, 6240, 4020));
    RTB->setFont(verdana(8.25));
    RTB->setReadOnly(true);
    RTB->setUndoRedoEnabled(false);
    RTB->setTabChangesFocus(true);
    addKeyboardCaret(RTB);
    describe(RTB, tr("The posture's names, procedure, benefits and cautions"), tr("Posture"));
    // Each posture shown is spoken by its name (the record's second line) and
    // chakra, when the viewer opens and after Next and Back.
    announcer_ = new Announcer(this, [this] {
        return tr("%1, for the %2")
            .arg(RTB->document()->findBlockByNumber(1).text(), lblChakraName->text());
    });

    cmdBk = new QPushButton(tr("<< &Back"), Frame1);
    place(cmdBk, "cmdBk", twipsRect(7800, 4500, 1200, 405));
    cmdNext = new QPushButton(tr("&Next >>"), Frame1);
    place(cmdNext, "cmdNext", twipsRect(9180, 4500, 1200, 405));
    for (QPushButton *button : {cmdBk, cmdNext})
        button->setFont(verdana(8.25));
    describe(cmdBk, tr("Shows the previous posture"));
    describe(cmdNext, tr("Shows the next posture"));
    cmdPractise = new QPushButton(tr("Practise &Along…"), Frame1);
    place(cmdPractise, "cmdPractise", twipsRect(4140, 4500, 1800, 405));
    cmdPractise->setFont(verdana(8.25));
    describe(cmdPractise, tr("Guides you through these postures, timing each hold (F5)"));
    cmdReadAloud = new QPushButton(tr("Read aloud"), Frame1);
    place(cmdReadAloud, "cmdReadAloud", twipsRect(6030, 4500, 1680, 405));
    cmdReadAloud->setFont(verdana(8.25));
    describe(cmdReadAloud, tr("Reads the procedure of this posture aloud (Ctrl+R)"));
    auto *readKey = new QAction(this);
    readKey->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    addAction(readKey);
    const auto readAloudNow = [this] {
        QStringList phrases;
        for (const std::string &phrase : procedurePhrases(asana_))
            phrases << fromUtf8(phrase);
        reading_ = !phrases.isEmpty();
        emit readAloud(phrases);
    };
    connect(cmdReadAloud, &QPushButton::clicked, this, readAloudNow);
    connect(readKey, &QAction::triggered, this, readAloudNow);
    connect(this, &FlowWindow::closing, this, &frmYogaChakra::stopReading);

    lblSafety = new QLabel(fromLatin1(SafetyNote), area);
    place(lblSafety, "lblSafety", twipsRect(120, 6600, 10560, 480));
    lblSafety->setFont(verdana(8.25));
    lblSafety->setWordWrap(true);
    lblSafety->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    describe(lblSafety, tr("A safety note for every posture"), tr("Safety note"));

    wayOut_ = setUpBackAndExit(twipsRect(8535, 5865, 1000, 400), twipsRect(9675, 5865, 1000, 400));

    wayOut_.mnuPractise->setToolTip(tr("Guides you through these postures, timing each hold"));
    connect(cmdPractise, &QPushButton::clicked, this, &FlowWindow::practiseRequested);

    setTabSequence(
        {cmdNext, cmdBk, RTB, cmdPractise, cmdReadAloud, wayOut_.cmdBack, wayOut_.cmdExit});

    setUpSharedMenus(MenuStyle::ResultAndYoga);

    viewer_ = std::make_unique<YogaViewer>(plan, platform);
    connect(cmdNext, &QPushButton::clicked, this, [this] {
        stopReading();
        showRecord(viewer_->next());
        RTB->moveCursor(QTextCursor::Start);
    });
    connect(cmdBk, &QPushButton::clicked, this, [this] {
        stopReading();
        showRecord(viewer_->previous());
        RTB->moveCursor(QTextCursor::Start);
    });

    showRecord(viewer_->open());
    RTB->moveCursor(QTextCursor::Start);
    cmdNext->setFocus();
}

void frmYogaChakra::showRecord(const std::optional<YogaRecord> &record)
{
    if (!record)
        return;
    showSections(RTB, record->text);
    // A picture that cannot be shown leaves the rest of the record as it is.
    const QPixmap picture = asanaPicture(record->picture, picYoga->devicePixelRatioF());
    if (picture.isNull())
        picYoga->clear();
    else
        picYoga->setPixmap(picture);
    lblChakraName->setText(fromLatin1(record->chakraTitle));
    asana_ = record->picture - 1;
    announcer_->changed();
}

void frmYogaChakra::stopReading()
{
    if (std::exchange(reading_, false))
        emit readAloud({});
}

} // namespace pranoth
