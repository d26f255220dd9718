#include "shared_menus.h"

#include <QMenu>
#include <QMenuBar>

namespace pranoth {

namespace {

QAction *addNamedAction(QWidget *owner, const char *objectName, const QString &caption)
{
    auto *action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(objectName));
    owner->addAction(action);
    return action;
}

} // namespace

void addNamedSeparator(QMenu *menu, const char *objectName)
{
    menu->addSeparator()->setObjectName(QLatin1String(objectName));
}

SharedMenus addSharedMenus(QMenuBar *menuBar, MenuStyle style)
{
    const bool questionnaire = style == MenuStyle::Questionnaire;
    const bool resultOrYoga = style == MenuStyle::ResultAndYoga;

    SharedMenus menus;
    menus.mnuHelp = menuBar->addMenu(QObject::tr("&Help"));
    menus.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    menus.mnuOnline = addNamedAction(menus.mnuHelp, "mnuOnline", QObject::tr("&Online Help"));
    menus.mnuVisit = addNamedAction(menus.mnuHelp, "mnuVisit",
                                    questionnaire ? QObject::tr("&Visit us Online")
                                                  : QObject::tr("&Visit Us Online"));
    addNamedSeparator(menus.mnuHelp,
                      questionnaire ? "mnuFileSep1" : (resultOrYoga ? "bar2" : "mnuHelpSep1"));
    menus.mnuUpdate = addNamedAction(menus.mnuHelp, "mnuUpdate",
                                     questionnaire ? QObject::tr("&Check for Software Update")
                                                   : QObject::tr("Check for Software &Update"));
    addNamedSeparator(menus.mnuHelp,
                      questionnaire ? "mnuFileSep2" : (resultOrYoga ? "bar3" : "mnuHelpSep2"));
    menus.mnuAbout = addNamedAction(menus.mnuHelp, "mnuAbout", QObject::tr("&About Software"));

    menus.mnuDonate = addNamedAction(menuBar, "mnuDonate", QObject::tr("&Donate"));
    menus.mnuMakeMoney =
        resultOrYoga
            ? addNamedAction(menuBar, "mnuMakeMoneyOnline", QObject::tr("&Make Money Online"))
            : addNamedAction(menuBar, "mnuMakeMoney", QObject::tr("Make Money &Online"));
    // The item's stored flag keeps it out of sight; it still opens its page
    // when triggered.
    menus.mnuMakeMoney->setVisible(false);
    return menus;
}

} // namespace pranoth
