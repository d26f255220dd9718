#include "frmMain.h"

#include "core/web_pages.h"
#include "link_label.h"
#include "qt_text.h"
#include "window_layout.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace pranoth {

namespace {

struct BoxPlace {
    int left, top, height;
};

// The chakra boxes: Root to Heart on the left, Throat to Crown on the right.
constexpr std::array<BoxPlace, ChakraCount> BoxPlaces{{
    {612, 1920, 300},
    {612, 2340, 300},
    {612, 2760, 300},
    {612, 3240, 350},
    {4182, 1920, 300},
    {4182, 2340, 300},
    {4182, 2760, 300},
}};

} // namespace

frmMain::frmMain(Platform &platform) : FlowWindow(platform, "frmMain", 7995, 4725)
{
    QWidget *area = client();

    setUpPromotion(twipsRect(577, 30, 6840, 465), twipsRect(30, 3840, 6705, 855));

    Label3 = new QLabel(
        tr("Pranoth is a simple software that attempts to correlate your under-active or "
           "overactive chakras with the corresponding yogasana and its significance. Take the "
           "chakra test now and get a reading instantly!"),
        area);
    place(Label3, "Label3", twipsRect(255, 600, 7485, 1005));
    Label3->setFont(verdana(9.75, true));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setWordWrap(true);
    describe(Label3, tr("What Pranoth does"));

    for (int k = 0; k < ChakraCount; ++k) {
        const BoxPlace &box = BoxPlaces[asIndex(k)];
        auto *check = new QCheckBox(fromLatin1(chakraDisplayName(k)), area);
        place(check, qPrintable(QStringLiteral("chkChakras_%1").arg(k)),
              twipsRect(box.left, box.top, 3200, box.height));
        describe(check, tr("Tick to include this chakra in the test"));
        chkChakras[asIndex(k)] = check;
    }

    cmdTest = new QPushButton(tr("START TEST"), area);
    place(cmdTest, "cmdTest", twipsRect(4182, 3140, 3200, 450));
    cmdTest->setFont(verdana(8.25, true));
    describe(cmdTest, tr("Starts the test for the ticked chakras"));

    Command3 = new QPushButton(tr("Donate"), area);
    place(Command3, "Command3", twipsRect(6840, 3960, 1092, 312));
    Command3->setFont(dialogFont(true));
    describe(Command3, tr("Opens the donation page"));

    cmdNav_1 = new QPushButton(tr("Exit"), area);
    place(cmdNav_1, "cmdNav_1", twipsRect(6840, 4320, 1092, 312));
    describe(cmdNav_1, tr("Leaves Pranoth"));

    // Keyboard order: the boxes, then START TEST, Donate and Exit.
    setTabSequence({chkChakras[0], chkChakras[1], chkChakras[2], chkChakras[3], chkChakras[4],
                    chkChakras[5], chkChakras[6], cmdTest, Command3, cmdNav_1});
    chkChakras[0]->setFocus();

    QMenu *mnuFile = addFileMenu();
    QAction *mnuHistory = addNamedAction(mnuFile, "mnuHistory", tr("My &History…"));
    mnuHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    addNamedSeparator(mnuFile, "barHistory");
    mnuExit = addNamedAction(mnuFile, "mnuExit", tr("&Exit"));
    connect(mnuHistory, &QAction::triggered, this, &frmMain::historyRequested);
    setUpSharedMenus(MenuStyle::Main);

    connect(cmdTest, &QPushButton::clicked, this, &frmMain::startTestRequested);
    connect(Command3, &QPushButton::clicked, this,
            [this] { openPage(this->platform(), page::Donate); });
    // Esc is the window's cancel key, and presses Donate.
    auto *cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(cancel, &QShortcut::activated, Command3, [this] { Command3->animateClick(); });
    connect(cmdNav_1, &QPushButton::clicked, this, &QWidget::close);
    connect(mnuExit, &QAction::triggered, this, &QWidget::close);
}

ChakraSet frmMain::tickedChakras() const
{
    ChakraSet ticked{};
    for (std::size_t k = 0; k < ticked.size(); ++k)
        ticked[k] = chkChakras[k]->checkState() == Qt::Checked;
    return ticked;
}

void frmMain::bringCoBrandToFront()
{
    promotion().lblCobrand->raise();
}

void frmMain::bringFullBrandToFront()
{
    promotion().lblFullBrand->raise();
}

} // namespace pranoth
