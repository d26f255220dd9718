#include "app_flow.h"
#include "qt_platform.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pranoth"));
    QApplication::setApplicationVersion(QStringLiteral("1.15"));
    QGuiApplication::setDesktopFileName(QStringLiteral("com.example.pranoth"));
    // The program ends through its shutdown routine, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    pranoth::QtPlatform platform;
    pranoth::AppFlow flow(platform);
    if (!flow.start() || platform.endRequested())
        return 0;
    // The start-up benchmark stops the clock here: the window is shown.
    if (qEnvironmentVariableIsSet("PRANOTH_QUIT_WHEN_SHOWN"))
        std::_Exit(0);
    return QApplication::exec();
}
