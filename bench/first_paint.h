#pragma once

// The start-up benchmark's hook, in its builds only: with
// PRANOTH_QUIT_WHEN_PAINTED set, the process ends as soon as `window` has been
// painted for the first time, its pixels handed to the display.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <cstdlib>

namespace bench {

class QuitWhenPainted : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // The window paints and flushes while it handles its first expose;
        // the process ends once that has been done.
        if (event->type() == QEvent::Expose)
            QMetaObject::invokeMethod(
                qApp, [] { std::_Exit(0); }, Qt::QueuedConnection);
        return false;
    }
};

inline void quitWhenPainted(QWidget *window)
{
    if (!window || !qEnvironmentVariableIsSet("PRANOTH_QUIT_WHEN_PAINTED"))
        return;
    window->winId(); // the native window exists from here on
    window->windowHandle()->installEventFilter(new QuitWhenPainted(window));
}

} // namespace bench
