#include "start.h"

#include "app_flow.h"
#include "command_line.h"
#include "core/config.h"
#include "desktop_services.h"
#include "print_and_history.h"
#include "qt_platform.h"
#include "remind.h"
#include "ui/program_resources.h"
#include "ui/program_style.h"
#include "ui/qt_text.h"
#include "user_folders.h"

#include <QApplication>

#include <optional>

namespace pranoth {

namespace {

QtMessageHandler qtHandler = nullptr;

// Qt 6.4's accessible text views answer a screen reader's "text before" the
// first word and "text after" the last by moving a cursor one step outside
// the text, and warn each time; the answers themselves are right. The program's
// own placements (the link view's) lie inside a block's text by construction,
// so that warning is dropped. So is the one Qt gives each time a screen reader
// takes longer than a tenth of a second to look at a key (a busy machine is
// enough): Qt then passes the key on to the window all the same.
void withoutScreenReaderNoise(QtMsgType type, const QMessageLogContext &context,
                              const QString &message)
{
    if (type == QtWarningMsg &&
        ((message.startsWith(QLatin1String("QTextCursor::setPosition: Position '")) &&
          message.endsWith(QLatin1String("' out of range"))) ||
         message.startsWith(QLatin1String("QSpiApplication::keyEventError"))))
        return;
    qtHandler(type, context, message);
}

} // namespace

int runProgram(int argc, char *argv[], const std::function<void()> &started)
{
    StartOptions options;
    if (const auto status = answerCommandLine(argc, argv, options))
        return *status;
    // The reminder needs no display and is no instance of the program.
    if (options.remind)
        return runReminder(argc, argv);
    qtHandler = qInstallMessageHandler(withoutScreenReaderNoise);
    std::optional<DisplayRequired> displayRequired(std::in_place, argv[0]);
    QApplication app(argc, argv);
    displayRequired.reset();
    QApplication::setApplicationName(fromLatin1(config::Title));
    QApplication::setApplicationVersion(fromLatin1(config::Version));
    QGuiApplication::setDesktopFileName(fromLatin1(config::AppId));
    // Every window, message boxes before the first window among them, carries the icon.
    QApplication::setWindowIcon(programIcon());
    // The application owns the style (the analyser cannot see that).
    // NOLINTBEGIN(clang-analyzer-cplusplus.NewDeleteLeaks)
    QApplication::setStyle(new ProgramStyle);
    // The program ends through its shutdown routine, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // NOLINTEND(clang-analyzer-cplusplus.NewDeleteLeaks)

    QtPlatform platform;
    DesktopSessionServices sessionServices;
    SystemSessionClock sessionClock;
    AppFlow flow(
        platform, userHistoryFile(),
        [](Platform &platform, const QString &historyPath) {
            QString failure;
            auto part = loadPrintAndHistory(printAndHistoryPaths(), platform, historyPath, failure);
            if (!part)
                platform.showMessage(
                    toUtf8(QApplication::translate("Start", "Printing, PDF and My History are not "
                                                            "available: %1")
                               .arg(failure)),
                    MessageIcon::Critical, MessageButtons::Ok);
            return part;
        },
        sessionServices, sessionClock);
    if (!flow.start() || platform.endRequested())
        return 0;
    if (options.practise)
        flow.practiseLastKept();
    if (started)
        started();
    return QApplication::exec();
}

} // namespace pranoth
