#pragma once

#include "core/chakra.h"
#include "flow_window.h"

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;

namespace pranoth {

// The main window: the user ticks the chakras to test and starts the test.
class frmMain : public FlowWindow {
    Q_OBJECT

public:
    explicit frmMain(Platform &platform);

    // Which chakra boxes are ticked, by chakra index; a grey box is not ticked.
    ChakraSet tickedChakras() const;

    // Brings one of the two promotion lines to the front.
    void bringCoBrandToFront();
    void bringFullBrandToFront();

signals:
    void startTestRequested();
    void historyRequested();

private:
    std::array<QCheckBox *, ChakraCount> chkChakras{};
    QLabel *Label3 = nullptr;
    QPushButton *cmdTest = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *cmdNav_1 = nullptr;
    QAction *mnuExit = nullptr;
};

} // namespace pranoth
