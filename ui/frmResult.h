#pragma once

#include "core/scoring.h"
#include "flow_window.h"
#include "text_cursor_writer.h"

#include <array>
#include <memory>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

namespace pranoth {

// The result of a test run: the bar chart, the introduction and the report.
class frmResult : public FlowWindow, public ResultView {
    Q_OBJECT

public:
    explicit frmResult(Platform &platform);

    void sizeAndShowBar(int chakra, int percent) override;
    RichTextWriter &report() override { return *writer_; }
    void showResult() override;

    // The bars stand on this line, whatever their height.
    static constexpr int BarBaseTwips = 2250;
    static constexpr int BarDesignHeightTwips = 1995;

    // The result is kept in My History: the menu item says so and is done.
    void markKept();

signals:
    void yogaRequested();
    void keepRequested();

private:
    std::array<QLabel *, ChakraCount> lblCurve{};
    QFrame *Line1 = nullptr;
    std::array<QLabel *, ChakraCount> chakraNames{}; // Label2 .. Label8
    QPushButton *cmdYogaChakra = nullptr;
    QLabel *lblChakra = nullptr;
    QTextEdit *RTB = nullptr;
    BackAndExit wayOut_;
    QAction *mnuKeep = nullptr;
    std::unique_ptr<TextCursorWriter> writer_;
};

} // namespace pranoth
