#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace pranoth {

class LinkLabel;
class Platform;

// About the program: its name, version, what it does, and two links. Shown
// modal over the window that opened it.
class frmAbout : public QDialog {
    Q_OBJECT

public:
    frmAbout(Platform &platform, QWidget *opener);

private:
    QLabel *Picture1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label1 = nullptr;
    LinkLabel *lblHomePage = nullptr;
    QLabel *Label3 = nullptr;
    LinkLabel *lblCoBrand = nullptr;
    QPushButton *cmdOK = nullptr;
};

} // namespace pranoth
