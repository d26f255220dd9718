#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QTextEdit;

namespace pranoth {

// The longest link text that is read; longer ones are cut to this.
inline constexpr int MaxLinkLength = 1024;

// The address to open for a recognised link text: http, https and ftp
// addresses and mailto links as they stand, a "www." address as http. None
// for anything else, so local files and other schemes are never opened.
std::optional<QString> openableAddress(const QString &linkText);

// Makes a text view link-aware: web addresses in its text are underlined as
// links, and a left press on one hands its address to `open`, once. Every
// event still reaches the view as before.
void enableLinkClicks(QTextEdit *richText, std::function<void(const QString &)> open);

} // namespace pranoth
