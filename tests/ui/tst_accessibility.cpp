#include "window_fixture.h"

#include "ui/frmAbout.h"
#include "ui/frmYogaChakra.h"

#include <QAccessible>
#include <QLabel>

using namespace pranoth;
using namespace pranoth::testing;

namespace {

// Every control a user meets in a window, with what a screen reader says of it.
QStringList unnamedControls(QWidget *window)
{
    QStringList missing;
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() ||
            widget->objectName().startsWith(QLatin1String("qt_")) ||
            widget->objectName() == QLatin1String("client") || !widget->isVisibleTo(window))
            continue;
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
        if (!accessible || accessible->text(QAccessible::Name).trimmed().isEmpty() ||
            accessible->text(QAccessible::Description).trimmed().isEmpty())
            missing << widget->objectName();
    }
    return missing;
}

} // namespace

class tst_Accessibility : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramDriver> driver;

private slots:
    void init() { driver = std::make_unique<ProgramDriver>(); }
    void cleanup() { driver.reset(); }

    void everyControlHasANameAndADescription()
    {
        frmMain *main = driver->start();
        QCOMPARE(unnamedControls(main), QStringList());
        child<QAction>(main, "mnuAbout")->trigger();
        QCOMPARE(unnamedControls(openWindow<frmAbout>()), QStringList());
        openWindow<frmAbout>()->close();
        flushDeletes();

        frmQuestions *questions = driver->startTest(main, {4});
        QCOMPARE(unnamedControls(questions), QStringList());
        frmResult *result = driver->answerForScore(questions, 6);
        QCOMPARE(unnamedControls(result), QStringList());

        // A bar says its chakra and its height.
        QAccessibleInterface *bar =
            QAccessible::queryAccessibleInterface(child<QLabel>(result, "lblCurve", 4));
        QCOMPARE(bar->text(QAccessible::Name), QStringLiteral("Throat"));
        QCOMPARE(bar->text(QAccessible::Description), QStringLiteral("Throat: 75%"));

        click(child<QPushButton>(result, "cmdYogaChakra"));
        flushDeletes();
        QCOMPARE(unnamedControls(openWindow<frmYogaChakra>()), QStringList());
    }
};

QTEST_MAIN(tst_Accessibility)
#include "tst_accessibility.moc"
