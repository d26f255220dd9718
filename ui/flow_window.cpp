#include "flow_window.h"

#include "program_resources.h"
#include "shell/app_flow.h"
#include "window_layout.h"

#include <QCloseEvent>
#include <QLayout>
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
