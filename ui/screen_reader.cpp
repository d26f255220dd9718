#include "screen_reader.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QWidget>

namespace pranoth {

// The notification an Announcer shows: no size, no look, only its text.
class Announcement : public QWidget {
    Q_OBJECT

public:
    explicit Announcement(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("announcement"));
        setGeometry(0, 0, 0, 0);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    QString text() const { return text_; }

    void say(const QString &text)
    {
        hide();
        text_ = text;
        QAccessibleEvent renamed(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&renamed);
        show();
    }

private:
    QString text_;
};

namespace {

class AccessibleAnnouncement : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncement(Announcement *announcement)
        : QAccessibleWidget(announcement, QAccessible::Notification)
    {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name)
            return static_cast<const Announcement *>(object())->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface *accessibleAnnouncement(const QString &, QObject *object)
{
    if (auto *announcement = qobject_cast<Announcement *>(object))
        return new AccessibleAnnouncement(announcement);
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *window, std::function<QString()> text)
    : QObject(window), window_(window), text_(std::move(text)),
      announcement_(new Announcement(window))
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleAnnouncement);
        return true;
    }();
    static_cast<void>(installed);
    window->installEventFilter(this);
    afterThisTurn_.setSingleShot(true);
    afterThisTurn_.setInterval(0);
    connect(&afterThisTurn_, &QTimer::timeout, this, &Announcer::say);
}

void Announcer::changed()
{
    if (!QAccessible::isActive() || pending_)
        return;
    pending_ = true;
    sayWhenActive();
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    if (pending_ && watched == window_ && event->type() == QEvent::ActivationChange)
        sayWhenActive();
    return QObject::eventFilter(watched, event);
}

void Announcer::sayWhenActive()
{
    if (window_->isActiveWindow())
        afterThisTurn_.start();
    // else said when the window becomes active
}

void Announcer::say()
{
    if (!pending_ || !window_->isActiveWindow())
        return;
    pending_ = false;
    announcement_->say(text_());
}

} // namespace pranoth

#include "screen_reader.moc"
