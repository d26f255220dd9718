#pragma once

#include <QMainWindow>

namespace pranoth {

class AppFlow;

// What the main, questionnaire, result and yoga windows share: the caption,
// icon and font, a fixed client area laid out in twips, centring on the
// screen, deletion on close, and the flow's close hook.
class FlowWindow : public QMainWindow {
    Q_OBJECT

public:
    FlowWindow(AppFlow &flow, const char *objectName, int clientWidthTwips, int clientHeightTwips);

    // The client area: every control of the window's design is a child of it.
    QWidget *client() const { return client_; }

protected:
    AppFlow &flow() const { return flow_; }

    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    AppFlow &flow_;
    QWidget *client_;
    bool centred_ = false;
};

} // namespace pranoth
