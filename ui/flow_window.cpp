#include "flow_window.h"

#include "core/config.h"
#include "core/web_pages.h"
#include "link_label.h"
#include "program_resources.h"
#include "qt_text.h"
#include "window_layout.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>

namespace pranoth {

FlowWindow::FlowWindow(Platform &platform, const char *objectName, int clientWidthTwips,
                       int clientHeightTwips)
    : platform_(platform), client_(new QWidget(this))
{
    setObjectName(QLatin1String(objectName));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(fromLatin1(config::Caption));
    setWindowIcon(programIcon());
    setFont(verdana(8.25));
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    centreWhenFirstShown(this);
}

void FlowWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    emit closing();
}

void FlowWindow::keyPressEvent(QKeyEvent *event)
{
    // Enter presses the button that has the focus, and only it: no button is
    // the window's default, so Enter elsewhere (on an answer, say) does nothing.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget());
            button && button->isEnabled()) {
            button->click();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

void FlowWindow::setUpPromotion(const QRect &advertisement, const QRect &frame)
{
    promotion_ = createPromotion(client_, advertisement, frame);
    const auto opens = [this](LinkLabel *label, std::string_view page) {
        connect(label, &LinkLabel::clicked, this, [this, page] { openPage(platform_, page); });
    };
    opens(promotion_.Label61, page::HomePage);
    opens(promotion_.lblCobrand, page::CoBrand);
    opens(promotion_.lblFullBrand, page::FullyBranded);
}

QMenu *FlowWindow::addFileMenu()
{
    QMenu *mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    return mnuFile;
}

FlowWindow::BackAndExit FlowWindow::setUpBackAndExit(const QRect &back, const QRect &exit)
{
    BackAndExit controls;
    controls.cmdBack = new QPushButton(tr("&Back"), client_);
    place(controls.cmdBack, "cmdBack", back);
    controls.cmdExit = new QPushButton(tr("E&xit"), client_);
    place(controls.cmdExit, "cmdExit", exit);
    for (QPushButton *button : {controls.cmdBack, controls.cmdExit})
        button->setFont(verdana(8.25, true));
    describe(controls.cmdBack, tr("Back to the main window for a new test"));
    describe(controls.cmdExit, tr("Leaves Pranoth"));

    QMenu *mnuFile = addFileMenu();
    controls.mnuFile = mnuFile;
    QAction *mnuSavePdf = addNamedAction(mnuFile, "mnuSavePdf", tr("Save as P&DF…"));
    mnuSavePdf->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QAction *mnuPrint = addNamedAction(mnuFile, "mnuPrint", tr("&Print…"));
    mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    // F5, as presentation programs start a slide show.
    // Nothing of a test is written to disk until the user asks for it here.
    mnuKeep_ = addNamedAction(mnuFile, "mnuKeep", tr("&Keep in My History"));
    mnuKeep_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuKeep_->setCheckable(true);
    connect(mnuKeep_, &QAction::triggered, this, [this] {
        mnuKeep_->setChecked(false); // checked once it is really kept
        emit keepRequested();
    });
    controls.mnuPractise = addNamedAction(mnuFile, "mnuPractise", tr("Practise &Along…"));
    controls.mnuPractise->setShortcut(QKeySequence(Qt::Key_F5));
    mnuFile->setToolTipsVisible(true);
    connect(controls.mnuPractise, &QAction::triggered, this, &FlowWindow::practiseRequested);
    QAction *mnuHistory = addNamedAction(mnuFile, "mnuHistory", tr("My &History…"));
    mnuHistory->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connect(mnuHistory, &QAction::triggered, this, &FlowWindow::historyRequested);
    controls.barResult = mnuFile->addSeparator();
    controls.barResult->setObjectName(QStringLiteral("barResult"));
    connect(mnuSavePdf, &QAction::triggered, this, &FlowWindow::savePdfRequested);
    connect(mnuPrint, &QAction::triggered, this, &FlowWindow::printRequested);
    controls.mnuBack = addNamedAction(mnuFile, "mnuBack", tr("&Back"));
    addNamedSeparator(mnuFile, "bar1");
    controls.mnuExit = addNamedAction(mnuFile, "mnuExit", tr("E&xit"));

    connect(controls.cmdBack, &QPushButton::clicked, this, &FlowWindow::backRequested);
    connect(controls.mnuBack, &QAction::triggered, this, &FlowWindow::backRequested);
    connect(controls.cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(controls.mnuExit, &QAction::triggered, this, &QWidget::close);
    return controls;
}

void FlowWindow::markKept()
{
    if (!mnuKeep_)
        return;
    mnuKeep_->setChecked(true);
    mnuKeep_->setEnabled(false);
}

void FlowWindow::setUpSharedMenus(MenuStyle style)
{
    const SharedMenus menus = addSharedMenus(menuBar(), style);
    const auto opens = [this](QAction *action, std::string_view page) {
        connect(action, &QAction::triggered, this, [this, page] { openPage(platform_, page); });
    };
    opens(menus.mnuOnline, page::Help);
    opens(menus.mnuVisit, page::HomePage);
    opens(menus.mnuUpdate, page::Download);
    opens(menus.mnuDonate, page::Donate);
    opens(menus.mnuMakeMoney, page::FullyBranded);
    connect(menus.mnuAbout, &QAction::triggered, this, &FlowWindow::aboutRequested);
}

} // namespace pranoth
