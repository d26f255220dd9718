#include "app_flow.h"
#include "qt_platform.h"

#include <QApplication>
#include <QTimer>

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
    // The start-up benchmark measures the time to the first window and leaves.
    if (qEnvironmentVariableIsSet("PRANOTH_QUIT_WHEN_SHOWN"))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return QApplication::exec();
}
