#pragma once

#include <QColor>
#include <QLabel>

namespace pranoth {

// A label styled as a link (underlined, coloured, hand pointer) that reports
// a left click. Its colour is the window's own for links, or else the
// palette's link colour, either made readable on its background whatever the
// palette.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString &text, const QFont &font, QWidget *parent, const QColor &colour = {});

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

} // namespace pranoth
