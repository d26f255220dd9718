#include "command_line.h"

#include "core/config.h"
#include "ui/qt_text.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace pranoth {

namespace {

// The options QGuiApplication and QApplication take out of the command line
// themselves, with whether they take a value. They are accepted here, hidden
// from the help, and left to Qt.
struct QtOption {
    const char *name;
    bool takesValue;
};
constexpr QtOption QtOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"geometry", true},
    {"qwindowicon", true},
    {"icon", true},
    {"qwindowtitle", true},
    {"title", true},
    {"session", true},
    {"display", true},
    {"name", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", true},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

QString commandName(const char *argv0)
{
    const QString name = argv0 ? QFileInfo(QString::fromLocal8Bit(argv0)).fileName() : QString();
    return name.isEmpty() ? QStringLiteral("pranoth") : name;
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// The state of one display variable, for the line that says none was reached.
QByteArray displayVariable(const char *variable)
{
    const QByteArray value = qgetenv(variable);
    return QByteArray(variable) + (value.isEmpty() ? QByteArray(" is not set") : "=" + value);
}

// Messages held back while Qt looks for its display.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
std::vector<HeldMessage> &heldMessages()
{
    static std::vector<HeldMessage> held;
    return held;
}
QtMessageHandler handlerBeforeDisplay = nullptr;
QString displayCommand;

void holdOrEndWithoutDisplay(QtMsgType type, const QMessageLogContext &context,
                             const QString &message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("platform plugin"))) {
        const QByteArray line = displayCommand.toLocal8Bit() + ": no display could be reached (" +
                                displayVariable("DISPLAY") + ", " +
                                displayVariable("WAYLAND_DISPLAY") + ")\n";
        std::fputs(line.constData(), stderr);
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (type == QtFatalMsg) {
        handlerBeforeDisplay(type, context, message);
        return;
    }
    heldMessages().push_back(
        {type, context.file, context.function, context.category, context.line, message});
}

} // namespace

std::optional<int> answerCommandLine(int argc, char *argv[], StartOptions &options)
{
    if (argc <= 1)
        return std::nullopt;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Chakra self-assessment with yoga advice, in a window of its "
                       "own. Qt's standard options, such as -platform NAME and -style "
                       "NAME, are accepted as well."));
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        QCoreApplication::translate("CommandLine", "Shows this help and ends."));
    const QCommandLineOption version(
        {QStringLiteral("v"), QStringLiteral("version")},
        QCoreApplication::translate("CommandLine",
                                    "Shows the program's name and version and ends."));
    const QCommandLineOption practise(
        QStringLiteral("practise"),
        QCoreApplication::translate("CommandLine",
                                    "Starts Practise Along on the last kept result's postures."));
    const QCommandLineOption remind(
        QStringLiteral("remind"),
        QCoreApplication::translate("CommandLine",
                                    "Reminds you to practise with a desktop notification, unless "
                                    "you have practised today or met this week's goal, and ends. "
                                    "The reminder's timer runs this."));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(practise);
    parser.addOption(remind);
    for (const QtOption &qt : QtOptions) {
        QCommandLineOption option(QLatin1String(qt.name));
        if (qt.takesValue)
            option.setValueName(QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QString command = commandName(argv[0]);
    const auto refuse = [&command](const QString &error) {
        print(stderr, command + QStringLiteral(": ") + error + QLatin1Char('\n'));
        print(stderr,
              QCoreApplication::translate("CommandLine", "Try '%1 --help' for more information.\n")
                  .arg(command));
        return 2;
    };
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty())
        return refuse(QCoreApplication::translate("CommandLine", "Unexpected argument '%1'.")
                          .arg(extra.first()));
    if (parser.isSet(help)) {
        // The help names the program as it was started, which takes an
        // application object; a core one needs no display.
        const QCoreApplication core(argc, argv);
        print(stdout, parser.helpText());
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, fromLatin1(config::Title) + QLatin1Char(' ') + fromLatin1(config::Version) +
                          QLatin1Char('\n'));
        return 0;
    }
    options.remind = parser.isSet(remind);
    options.practise = parser.isSet(practise);
    return std::nullopt;
}

DisplayRequired::DisplayRequired(const char *argv0)
{
    displayCommand = commandName(argv0);
    previous_ = qInstallMessageHandler(holdOrEndWithoutDisplay);
    handlerBeforeDisplay = previous_;
}

DisplayRequired::~DisplayRequired()
{
    qInstallMessageHandler(previous_);
    for (const HeldMessage &held : std::exchange(heldMessages(), {})) {
        const QMessageLogContext context(held.file.constData(), held.line,
                                         held.function.constData(), held.category.constData());
        previous_(held.type, context, held.text);
    }
}

} // namespace pranoth
