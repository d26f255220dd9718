#pragma once

#include "flow_window.h"
#include "text_cursor_writer.h"
#include "yoga/yoga_viewer.h"

#include <memory>

class QGroupBox;
class QLabel;
class QPushButton;
class QTextEdit;

namespace pranoth {

class Announcer;

// The yoga viewer: pages through the recommended asanas, one record at a
// time, with its picture, texts and the chakra it serves.
class frmYogaChakra : public FlowWindow, public YogaRecordView {
    Q_OBJECT

public:
    frmYogaChakra(Platform &platform, const YogaPlanList &plan);

    RichTextWriter &recordText() override { return *writer_; }
    void showPicture(int position) override;
    void setChakraTitle(std::string_view title) override;

private:
    QGroupBox *Frame1 = nullptr;
    QLabel *picYoga = nullptr;
    QLabel *lblChakraName = nullptr;
    QTextEdit *RTB = nullptr;
    QPushButton *cmdBk = nullptr;
    QPushButton *cmdNext = nullptr;
    QLabel *lblSafety = nullptr;
    BackAndExit wayOut_;
    std::unique_ptr<TextCursorWriter> writer_;
    std::unique_ptr<YogaViewer> viewer_;
    Announcer *announcer_ = nullptr;
};

} // namespace pranoth
