#pragma once

#include <QString>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace pranoth {

// The windows differ a little in their Help menu and Make Money Online item.
enum class MenuStyle { Main, Questionnaire, ResultAndYoga };

// The Help menu and the Donate and Make Money Online items that every flow
// window carries.
struct SharedMenus {
    QMenu *mnuHelp = nullptr;
    QAction *mnuOnline = nullptr;
    QAction *mnuVisit = nullptr;
    QAction *mnuUpdate = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuDonate = nullptr;
    QAction *mnuMakeMoney = nullptr; // `mnuMakeMoneyOnline` in the result and yoga windows
};

// Adds the shared menus after whatever the menu bar already has.
SharedMenus addSharedMenus(QMenuBar *menuBar, MenuStyle style);

// A named action at the end of a menu or menu bar.
QAction *addNamedAction(QWidget *owner, const char *objectName, const QString &caption);
// A named separator in a menu.
void addNamedSeparator(QMenu *menu, const char *objectName);

} // namespace pranoth
