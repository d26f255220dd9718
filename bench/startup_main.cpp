// The program as the start-up benchmark runs it: the same start-up, with a way
// to leave as soon as the main window has been painted.

#include "first_paint.h"
#include "shell/start.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    return pranoth::runProgram(argc, argv, [] {
        for (QWidget *window : QApplication::topLevelWidgets())
            if (window->isVisible())
                bench::quitWhenPainted(window);
    });
}
