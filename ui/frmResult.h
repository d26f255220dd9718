#pragma once

#include "core/assessment.h"
#include "flow_window.h"

#include <QStringList>

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;

namespace pranoth {

// The result of a test run: the bar chart, the introduction and the report.
class frmResult : public FlowWindow {
    Q_OBJECT

public:
    explicit frmResult(Platform &platform);

    // Shows the assessment: a bar for every chakra that scored, the
    // introduction and the report, the report's caret at its start.
    void showAssessment(const Assessment &assessment);

    // The bars stand on this line, whatever their height.
    static constexpr int BarBaseTwips = 2250;
    static constexpr int BarDesignHeightTwips = 1995;

    // Beneath the report, how each chakra has moved since the first kept result.
    void showProgress(const QStringList &lines);

signals:
    void yogaRequested();

private:
    std::array<QLabel *, ChakraCount> lblCurve{};
    QFrame *Line1 = nullptr;
    std::array<QLabel *, ChakraCount> chakraNames{}; // Label2 .. Label8
    QPushButton *cmdYogaChakra = nullptr;
    QLabel *lblChakra = nullptr;
    QTextEdit *RTB = nullptr;
    BackAndExit wayOut_;

    void sizeAndShowBar(int chakra, int percent);
};

} // namespace pranoth
