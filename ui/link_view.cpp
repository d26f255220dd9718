#include "link_view.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

namespace pranoth {

namespace {

// Web addresses as a rich-text control recognises them: a scheme or "www."
// followed by characters up to white space.
const QRegularExpression &webAddressPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral(R"((?:https?://|ftp://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

// Keeps the view's web addresses marked as links and opens them on a left press.
class LinkClickFilter : public QObject {
public:
    LinkClickFilter(QTextEdit *view, std::function<void(const QString &)> open)
        : QObject(view), view_(view), open_(std::move(open))
    {
        view->viewport()->installEventFilter(this);
        connect(view->document(), &QTextDocument::contentsChange, this,
                [this](int position, int, int added) { markLinks(position, added); });
        markLinks(0, view->document()->characterCount());
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto *press = static_cast<QMouseEvent *>(event);
            if (press->button() == Qt::LeftButton) {
                QString link = view_->anchorAt(press->position().toPoint());
                if (!link.isEmpty()) {
                    link.truncate(MaxLinkLength);
                    if (const auto address = openableAddress(link))
                        open_(*address);
                }
            }
        }
        // Nothing is swallowed: the view handles every event as before.
        return QObject::eventFilter(watched, event);
    }

private:
    // Marks the web addresses of the blocks touched by a change.
    void markLinks(int position, int added)
    {
        if (marking_)
            return;
        marking_ = true;
        QTextDocument *document = view_->document();
        QTextBlock block = document->findBlock(position);
        const QTextBlock last = document->findBlock(position + added);
        while (block.isValid()) {
            markBlock(block);
            if (block == last)
                break;
            block = block.next();
        }
        marking_ = false;
    }

    void markBlock(const QTextBlock &block)
    {
        auto matches = webAddressPattern().globalMatch(block.text());
        while (matches.hasNext()) {
            const auto match = matches.next();
            QTextCursor cursor(block);
            cursor.setPosition(block.position() + int(match.capturedStart()));
            cursor.setPosition(block.position() + int(match.capturedEnd()),
                               QTextCursor::KeepAnchor);
            QTextCharFormat link;
            link.setAnchor(true);
            link.setAnchorHref(match.captured());
            link.setFontUnderline(true);
            cursor.mergeCharFormat(link);
        }
    }

    QTextEdit *view_;
    std::function<void(const QString &)> open_;
    bool marking_ = false;
};

} // namespace

std::optional<QString> openableAddress(const QString &linkText)
{
    const QString text = linkText.trimmed();
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return openableAddress(QStringLiteral("http://") + text);
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                     scheme == QLatin1String("ftp");
    if (web && !url.host().isEmpty())
        return text;
    if (scheme == QLatin1String("mailto") && !url.path().isEmpty())
        return text;
    return std::nullopt;
}

void enableLinkClicks(QTextEdit *richText, std::function<void(const QString &)> open)
{
    // The filter belongs to the view and goes with it.
    new LinkClickFilter(richText, std::move(open));
}

} // namespace pranoth
