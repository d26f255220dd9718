#include "flow_window.h"

#include "link_label.h"
#include "program_resources.h"
#include "shell/app_flow.h"
#include "shell/web_pages.h"
#include "window_layout.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

namespace pranoth {

FlowWindow::FlowWindow(AppFlow &flow, const char *objectName, int clientWidthTwips,
                       int clientHeightTwips)
    : flow_(flow), client_(new QWidget(this))
{
    setObjectName(QLatin1String(objectName));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QLatin1String(WindowCaption));
    setWindowIcon(programIcon());
    setFont(verdana(8.25));
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsToPixels(clientWidthTwips), twipsToPixels(clientHeightTwips));
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void FlowWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    flow_.windowClosing(*this);
}

void FlowWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (centred_)
        return;
    centred_ = true;
    if (const QScreen *screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

} // namespace pranoth

namespace pranoth {

void FlowWindow::setUpPromotion(const QRect &advertisement, const QRect &frame)
{
    promotion = createPromotion(client_, advertisement, frame);
    const auto opens = [this](LinkLabel *label, std::string_view page) {
        connect(label, &LinkLabel::clicked, this,
                [this, page] { openPage(flow_.platform(), page); });
    };
    opens(promotion.Label61, page::HomePage);
    opens(promotion.lblCobrand, page::CoBrand);
    opens(promotion.lblFullBrand, page::FullyBranded);
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

    QMenu *mnuFile = menuBar()->addMenu(tr("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    controls.mnuBack = mnuFile->addAction(tr("&Back"));
    controls.mnuBack->setObjectName(QStringLiteral("mnuBack"));
    addNamedSeparator(mnuFile, "bar1");
    controls.mnuExit = mnuFile->addAction(tr("E&xit"));
    controls.mnuExit->setObjectName(QStringLiteral("mnuExit"));

    const auto toMain = [this] { flow_.backToMain(*this); };
    connect(controls.cmdBack, &QPushButton::clicked, this, toMain);
    connect(controls.mnuBack, &QAction::triggered, this, toMain);
    connect(controls.cmdExit, &QPushButton::clicked, this, &QWidget::close);
    connect(controls.mnuExit, &QAction::triggered, this, &QWidget::close);
    return controls;
}

void FlowWindow::setUpSharedMenus(MenuStyle style)
{
    menus = addSharedMenus(menuBar(), style);
    const auto opens = [this](QAction *action, std::string_view page) {
        connect(action, &QAction::triggered, this,
                [this, page] { openPage(flow_.platform(), page); });
    };
    opens(menus.mnuOnline, page::Help);
    opens(menus.mnuVisit, page::HomePage);
    opens(menus.mnuUpdate, page::Download);
    opens(menus.mnuDonate, page::Donate);
    opens(menus.mnuMakeMoney, page::FullyBranded);
    connect(menus.mnuAbout, &QAction::triggered, this, [this] { flow_.showAbout(*this); });
}

} // namespace pranoth
