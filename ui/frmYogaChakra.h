#pragma once

#include "flow_window.h"
#include "yoga/yoga_viewer.h"

#include <QStringList>

#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace pranoth {

class Announcer;

// The yoga viewer: pages through the recommended asanas, one record at a
// time, with its picture, texts and the chakra it serves; Read aloud (Ctrl+R)
// has the shown procedure read out until Next, Back or closing.
class frmYogaChakra : public FlowWindow {
    Q_OBJECT

public:
    frmYogaChakra(Platform &platform, const YogaPlanList &plan);

signals:
    // Read aloud: the phrases to say in turn, none to fall silent.
    void readAloud(const QStringList &phrases);

private:
    void stopReading();

    // Shows a record the viewer found; none leaves the screen as it is.
    void showRecord(const std::optional<YogaRecord> &record);

    QGroupBox *Frame1 = nullptr;
    QLabel *picYoga = nullptr;
    QLabel *lblChakraName = nullptr;
    QTextEdit *RTB = nullptr;
    QPushButton *cmdBk = nullptr;
    QPushButton *cmdNext = nullptr;
    QPushButton *cmdPractise = nullptr;
    QPushButton *cmdReadAloud = nullptr;
    QLabel *lblSafety = nullptr;
    BackAndExit wayOut_;
    std::unique_ptr<YogaViewer> viewer_;
    Announcer *announcer_ = nullptr;
    int asana_ = -1;
    bool reading_ = false;
};

} // namespace pranoth
