#include "shared_menus.h"

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

namespace pranoth {

namespace {
const char *const Context = "SharedMenus";
} // namespace

QAction *addNamedAction(QWidget *owner, const char *objectName, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(objectName));
    owner->addAction(action);
    return action;
}

void addNamedSeparator(QMenu *menu, const char *objectName)
{
    menu->addSeparator()->setObjectName(QLatin1String(objectName));
}

SharedMenus addSharedMenus(QMenuBar *menuBar, MenuStyle style)
{
    const bool questionnaire = style == MenuStyle::Questionnaire;
    const bool resultOrYoga = style == MenuStyle::ResultAndYoga;

    SharedMenus menus;
    menus.mnuHelp = menuBar->addMenu(QCoreApplication::translate(Context, "&Help"));
    menus.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    menus.mnuOnline = addNamedAction(menus.mnuHelp, "mnuOnline",
                                     QCoreApplication::translate(Context, "&Online Help"));
    menus.mnuVisit =
        addNamedAction(menus.mnuHelp, "mnuVisit",
                       questionnaire ? QCoreApplication::translate(Context, "&Visit us Online")
                                     : QCoreApplication::translate(Context, "&Visit Us Online"));
    addNamedSeparator(menus.mnuHelp,
                      questionnaire ? "mnuFileSep1" : (resultOrYoga ? "bar2" : "mnuHelpSep1"));
    menus.mnuUpdate = addNamedAction(
        menus.mnuHelp, "mnuUpdate",
        questionnaire ? QCoreApplication::translate(Context, "&Check for Software Update")
                      : QCoreApplication::translate(Context, "Check for Software &Update"));
    addNamedSeparator(menus.mnuHelp,
                      questionnaire ? "mnuFileSep2" : (resultOrYoga ? "bar3" : "mnuHelpSep2"));
    menus.mnuAbout = addNamedAction(menus.mnuHelp, "mnuAbout",
                                    QCoreApplication::translate(Context, "&About Software"));

    menus.mnuDonate =
        addNamedAction(menuBar, "mnuDonate", QCoreApplication::translate(Context, "&Donate"));
    menus.mnuMakeMoney =
        resultOrYoga ? addNamedAction(menuBar, "mnuMakeMoneyOnline",
                                      QCoreApplication::translate(Context, "&Make Money Online"))
                     : addNamedAction(menuBar, "mnuMakeMoney",
                                      QCoreApplication::translate(Context, "Make Money &Online"));
    // The item's stored flag keeps it out of sight; it still opens its page
    // when triggered.
    menus.mnuMakeMoney->setVisible(false);
    return menus;
}

} // namespace pranoth
