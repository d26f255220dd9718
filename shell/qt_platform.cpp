#include "qt_platform.h"

#include "core/config.h"
#include "ui/qt_text.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>
#include <QWidget>

#include <chrono>

namespace pranoth {

QtPlatform::QtPlatform(QString lockPath, QString settingsPath)
    : guard_(std::move(lockPath)), settings_(std::move(settingsPath))
{}

QtPlatform::~QtPlatform() = default;

namespace {

// The window a user would expect to see: a modal one first, else the last
// window shown.
QWidget *frontWindow()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    QWidget *front = nullptr;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->isWindow() && !window->windowFlags().testFlag(Qt::Popup))
            front = window;
    }
    return front;
}

} // namespace

MessageAnswer QtPlatform::showMessage(std::string_view text, MessageIcon icon,
                                      MessageButtons buttons)
{
    // A carriage return, alone or before a line feed, breaks the line.
    const QString message = withLineFeeds(fromUtf8(text));
    const QMessageBox::Icon shown = icon == MessageIcon::Critical   ? QMessageBox::Critical
                                    : icon == MessageIcon::Warning  ? QMessageBox::Warning
                                    : icon == MessageIcon::Question ? QMessageBox::Question
                                                                    : QMessageBox::Information;
    QMessageBox box(shown, fromLatin1(config::Title), message,
                    buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No
                                                     : QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("messageBox"));
    const int answer = box.exec();
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    return answer == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

std::optional<std::string> QtPlatform::chooseSaveFile(std::string_view title,
                                                      std::string_view suggestedPath,
                                                      std::string_view filter)
{
    const QString path = QFileDialog::getSaveFileName(frontWindow(), fromUtf8(title),
                                                      fromUtf8(suggestedPath), fromUtf8(filter));
    if (path.isEmpty())
        return std::nullopt;
    return toUtf8(path);
}

void QtPlatform::openUrl(std::string_view url)
{
    QDesktopServices::openUrl(
        QUrl(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size()))));
}

std::optional<std::string> QtPlatform::readSetting(std::string_view section, std::string_view key)
{
    return settings_.read(section, key);
}

void QtPlatform::writeSetting(std::string_view section, std::string_view key,
                              std::string_view value)
{
    settings_.write(section, key, value);
}

bool QtPlatform::anotherInstanceRunning()
{
    // Only a live holder keeps the program from starting: a guard that cannot
    // be had at all (no usable folder) does not.
    switch (guard_.acquire()) {
    case InstanceGuard::Outcome::HeldByAnother:
        return true;
    case InstanceGuard::Outcome::Held:
        guard_.listen([] {
            if (QWidget *window = frontWindow()) {
                if (window->isMinimized())
                    window->showNormal();
                window->raise();
                window->activateWindow();
            }
        });
        return false;
    case InstanceGuard::Outcome::Unavailable:
        return false;
    }
    return false;
}

void QtPlatform::activateRunningInstance()
{
    guard_.callHolder();
}

DateTime QtPlatform::now()
{
    const QDateTime current = QDateTime::currentDateTime();
    const QDate date = current.date();
    const QTime time = current.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

void QtPlatform::seedRandomFromClock()
{
    generator_.seed(static_cast<std::mt19937::result_type>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

double QtPlatform::uniformRandom()
{
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator_);
}

void QtPlatform::endProcess()
{
    endRequested_ = true;
    QCoreApplication::exit(0);
}

} // namespace pranoth
