#include "window_layout.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QHash>
#include <QScreen>
#include <QWidget>

namespace pranoth {

QRect twipsRect(int left, int top, int width, int height)
{
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    const int right = twipsToPixels(left + width);
    const int bottom = twipsToPixels(top + height);
    return {x, y, right - x, bottom - y};
}

QFont verdana(double pointSize, bool bold, bool underline)
{
    // The family is looked up once, and each size and weight made once and
    // shared, so that every widget's font resolves from the same entry.
    static const QString family = QFontDatabase::hasFamily(QStringLiteral("Verdana"))
                                      ? QStringLiteral("Verdana")
                                      : QStringLiteral("DejaVu Sans");
    static QHash<int, QFont> made;
    const int key = qRound(pointSize * 100) * 4 + (bold ? 2 : 0) + (underline ? 1 : 0);
    auto found = made.find(key);
    if (found == made.end()) {
        QFont font(family);
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        font.setUnderline(underline);
        found = made.insert(key, font);
    }
    return *found;
}

QFont dialogFont(bool bold)
{
    QFont font = QApplication::font();
    font.setBold(bold);
    return font;
}

void setTabSequence(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *next : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void describe(QWidget *widget, const QString &description, const QString &name)
{
    widget->setAccessibleDescription(description);
    if (!name.isEmpty())
        widget->setAccessibleName(name);
}

void centreOnScreen(QWidget *window)
{
    // On Wayland the compositor alone places windows and tells a client
    // nothing of where: a position asked for is ignored at best, and the frame
    // and screen it would be worked out from are not the ones shown. Nothing
    // is asked there.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    if (const QScreen *screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

namespace {

class CentreWhenFirstShown : public QObject {
public:
    explicit CentreWhenFirstShown(QWidget *window) : QObject(window), window_(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Show) {
            window_->removeEventFilter(this);
            centreOnScreen(window_);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *window_;
};

} // namespace

void centreWhenFirstShown(QWidget *window)
{
    new CentreWhenFirstShown(window);
}

void place(QWidget *widget, const char *objectName, const QRect &pixels)
{
    widget->setObjectName(QLatin1String(objectName));
    widget->setGeometry(pixels);
}

} // namespace pranoth
