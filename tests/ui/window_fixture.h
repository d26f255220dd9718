#pragma once

// Drives the real windows on the offscreen platform, with the platform seam
// replaced by a recorder.

#include "fakes.h"

#include "shell/app_flow.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace pranoth::testing {

// The open top-level window of a given type, if exactly one is open.
template <typename Window> Window *openWindow()
{
    Window *found = nullptr;
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *window = qobject_cast<Window *>(widget); window && window->isVisible()) {
            found = window;
            ++count;
        }
    }
    return count == 1 ? found : nullptr;
}

// The number of visible flow windows.
inline int visibleWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += widget->isVisible() && widget->isWindow() ? 1 : 0;
    return count;
}

// Lets closed windows be deleted, as the event loop would.
inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Closes whatever a test left open without running the program's shutdown.
inline void closeAllWindows()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        widget->setAttribute(Qt::WA_DeleteOnClose);
        widget->hide();
        widget->deleteLater();
    }
    flushDeletes();
}

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

} // namespace pranoth::testing
