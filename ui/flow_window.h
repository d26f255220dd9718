#pragma once

#include "promotion.h"
#include "shared_menus.h"

#include <QMainWindow>

class QPushButton;

namespace pranoth {

class AppFlow;

// What the main, questionnaire, result and yoga windows share: the caption,
// icon and font, a fixed client area laid out in twips, centring on the
// screen, deletion on close, and the flow's close hook.
class FlowWindow : public QMainWindow {
    Q_OBJECT

public:
    FlowWindow(AppFlow &flow, const char *objectName, int clientWidthTwips, int clientHeightTwips);

    // The client area: every control of the window's design is a child of it.
    QWidget *client() const { return client_; }

    Promotion promotion;
    SharedMenus menus;

protected:
    AppFlow &flow() const { return flow_; }

    // The advertisement line and the promotion frame at the given places,
    // each opening its page when clicked.
    void setUpPromotion(const QRect &advertisement, const QRect &frame);
    // The Help, Donate and Make Money Online menus after the window's own.
    void setUpSharedMenus(MenuStyle style);

    // The result and yoga windows' way out: Back to a fresh main window and
    // Exit, as buttons at the given places and as the File menu.
    struct BackAndExit {
        QPushButton *cmdBack = nullptr;
        QPushButton *cmdExit = nullptr;
        QAction *mnuBack = nullptr;
        QAction *mnuExit = nullptr;
    };
    BackAndExit setUpBackAndExit(const QRect &back, const QRect &exit);

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    AppFlow &flow_;
    QWidget *client_;
    bool centred_ = false;
};

} // namespace pranoth
