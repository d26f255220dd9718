#include "app_flow.h"
#include "core/config.h"
#include "qt_platform.h"
#include "ui/program_resources.h"
#include "ui/qt_text.h"

#include <QApplication>

#ifdef PRANOTH_STARTUP_BENCH
#include <cstdlib>
#endif

int main(int argc, char *argv[])
{
    using namespace pranoth;
    QApplication app(argc, argv);
    QApplication::setApplicationName(fromLatin1(config::Title));
    QApplication::setApplicationVersion(fromLatin1(config::Version));
    QGuiApplication::setDesktopFileName(fromLatin1(config::AppId));
    // Every window, message boxes before the first window among them, carries the icon.
    QApplication::setWindowIcon(programIcon());
    // The program ends through its shutdown routine, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);

    QtPlatform platform;
    AppFlow flow(platform);
    if (!flow.start() || platform.endRequested())
        return 0;
#ifdef PRANOTH_STARTUP_BENCH
    // The start-up benchmark's build stops the clock here: the window is shown.
    if (qEnvironmentVariableIsSet("PRANOTH_QUIT_WHEN_SHOWN"))
        std::_Exit(0);
#endif
    return QApplication::exec();
}
