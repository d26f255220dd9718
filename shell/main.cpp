#include "app_flow.h"
#include "qt_platform.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pranoth"));
    QApplication::setApplicationVersion(QStringLiteral("1.15"));
    QGuiApplication::setDesktopFileName(QStringLiteral("pranoth"));
    // The program ends through its shutdown routine, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    pranoth::QtPlatform platform;
    pranoth::AppFlow flow(platform);
    if (!flow.start() || platform.endRequested())
        return 0;
    return QApplication::exec();
}
