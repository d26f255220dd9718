#pragma once

#include <QColor>
#include <QLabel>

namespace pranoth {

// A label styled as a link (underlined, coloured, hand pointer) that reports
// a left click.
class LinkLabel : public QLabel {
    Q_OBJECT

public:
    LinkLabel(const QString &text, const QFont &font, const QColor &colour, QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    bool pressed_ = false;
};

// The blue of the link labels in the flow windows.
inline const QColor LinkBlue{0, 0, 255};

} // namespace pranoth
