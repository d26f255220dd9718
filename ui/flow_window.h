#pragma once

#include "promotion.h"
#include "shared_menus.h"

#include <QMainWindow>

class QPushButton;

namespace pranoth {

class Platform;

// What the main, questionnaire, result and yoga windows share: the caption,
// icon and font, a fixed client area laid out in twips, centring on the
// screen, deletion on close, the promotion lines and shared menus that open
// the maker's pages, and the signals the program's flow answers.
class FlowWindow : public QMainWindow {
    Q_OBJECT

public:
    FlowWindow(Platform &platform, const char *objectName, int clientWidthTwips,
               int clientHeightTwips);

    // The result on screen is kept in My History: Keep says so and is done.
    void markKept();

signals:
    // The window is closing, by the program's navigation or by the user.
    void closing();
    // Help > About Software.
    void aboutRequested();
    // Back, in the result and yoga windows.
    void backRequested();
    // Save as PDF and Print of the result on screen, in the result and yoga windows.
    void savePdfRequested();
    void printRequested();
    // Practise Along, Keep in My History and My History, in the result and yoga windows.
    void practiseRequested();
    void keepRequested();
    void historyRequested();

protected:
    Platform &platform() const { return platform_; }
    // The client area: every control of the window's design is a child of it.
    QWidget *client() const { return client_; }

    // The advertisement line and the promotion frame at the given places,
    // each opening its page when clicked.
    void setUpPromotion(const QRect &advertisement, const QRect &frame);
    const Promotion &promotion() const { return promotion_; }
    // The Help, Donate and Make Money Online menus after the window's own.
    void setUpSharedMenus(MenuStyle style);

    // The window's File menu, named "mnuFile".
    QMenu *addFileMenu();

    // The result and yoga windows' way out: Back to a fresh main window and
    // Exit, as buttons at the given places and as the File menu, which starts
    // with Save as PDF, Print and Keep of the result, Practise Along and My History.
    struct BackAndExit {
        QPushButton *cmdBack = nullptr;
        QPushButton *cmdExit = nullptr;
        QAction *mnuBack = nullptr;
        QAction *mnuExit = nullptr;
        QAction *mnuPractise = nullptr;
        QMenu *mnuFile = nullptr;
        // The separator after the result's own items.
        QAction *barResult = nullptr;
    };
    BackAndExit setUpBackAndExit(const QRect &back, const QRect &exit);

    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    Platform &platform_;
    QWidget *client_;
    Promotion promotion_;
    QAction *mnuKeep_ = nullptr;
};

} // namespace pranoth
