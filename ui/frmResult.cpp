#include "frmResult.h"

#include "chakra_palette.h"
#include "core/platform.h"
#include "link_view.h"
#include "qt_text.h"
#include "readable_colour.h"
#include "screen_reader.h"
#include "section_text.h"
#include "window_layout.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTextCursor>
#include <QTextEdit>

namespace pranoth {

namespace {

constexpr std::array<int, ChakraCount> ShortNameLefts{480, 1350, 2220, 3090, 3930, 4800, 5700};

constexpr int barLeft(int chakra)
{
    return 480 + 870 * chakra;
}
constexpr int BarWidth = 345;

} // namespace

frmResult::frmResult(Platform &platform) : FlowWindow(platform, "frmResult", 9705, 7185)
{
    QWidget *area = client();

    for (int k = 0; k < ChakraCount; ++k) {
        auto *bar = new QLabel(area);
        place(bar, qPrintable(QStringLiteral("lblCurve_%1").arg(k)),
              twipsRect(barLeft(k), 150, BarWidth, BarDesignHeightTwips));
        QPalette palette = bar->palette();
        palette.setColor(QPalette::Window, ChakraBarColours[asIndex(k)]);
        bar->setPalette(palette);
        bar->setAutoFillBackground(true);
        bar->hide();
        describe(bar, tr("No score"), chakraShortName(k));
        lblCurve[asIndex(k)] = bar;

        auto *name = new QLabel(chakraShortName(k), area);
        place(name, qPrintable(QStringLiteral("Label%1").arg(k + 2)),
              twipsRect(ShortNameLefts[asIndex(k)], 2310, 870, 195));
        describe(name, tr("The chakra of the bar above"));
        chakraNames[asIndex(k)] = name;
    }

    Line1 = new QFrame(area);
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setLineWidth(2);
    place(Line1, "Line1", twipsRect(180, BarBaseTwips, 6300, 30));
    describe(Line1, tr("The base line of the bar chart"), tr("Base line"));

    setUpPromotion(twipsRect(6495, 375, 3120, 825), twipsRect(120, 6300, 7185, 855));

    cmdYogaChakra = new QPushButton(tr("&Find Chakra Yoga"), area);
    place(cmdYogaChakra, "cmdYogaChakra", twipsRect(6495, 1440, 3120, 375));
    cmdYogaChakra->setFont(verdana(8.25, true));
    describe(cmdYogaChakra, tr("Shows the yoga postures for the chakras that are not open"));

    lblChakra = new QLabel(area);
    place(lblChakra, "lblChakra", twipsRect(120, 2640, 9495, 1605));
    lblChakra->setWordWrap(true);
    lblChakra->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Runs of spaces are kept as they are, not folded into one.
    lblChakra->setTextFormat(Qt::PlainText);
    describe(lblChakra, tr("An introduction to chakras"));
    lblChakra->setAutoFillBackground(true);
    followPalette(this, [this] { colourBox(lblChakra, IntroductionBackground, IntroductionText); });

    RTB = new QTextEdit(area);
    place(RTB, "RTB", twipsRect(120, 4320, 9495, 1965));
    RTB->setReadOnly(true);
    RTB->setUndoRedoEnabled(false);
    RTB->setTabChangesFocus(true);
    addKeyboardCaret(RTB);
    describe(RTB, tr("The verdict for each tested chakra, with advice"), tr("Result report"));
    enableLinkClicks(
        RTB, [this](const QString &address) { this->platform().openUrl(address.toStdString()); });

    wayOut_ = setUpBackAndExit(twipsRect(7440, 6527, 1000, 400), twipsRect(8520, 6527, 1000, 400));
    setTabSequence({cmdYogaChakra, RTB, wayOut_.cmdBack, wayOut_.cmdExit});

    setUpSharedMenus(MenuStyle::ResultAndYoga);

    connect(cmdYogaChakra, &QPushButton::clicked, this, &frmResult::yogaRequested);
}

void frmResult::sizeAndShowBar(int chakra, int percent)
{
    if (chakra < 0 || chakra >= ChakraCount)
        return;
    const float height = barHeight(static_cast<float>(BarDesignHeightTwips), percent);
    const int heightPixels = qRound(height / static_cast<float>(TwipsPerPixel));
    const int base = twipsToPixels(BarBaseTwips);
    QLabel *bar = lblCurve[asIndex(chakra)];
    bar->setGeometry(bar->x(), base - heightPixels, bar->width(), heightPixels);
    bar->setAccessibleDescription(tr("%1: %2%").arg(chakraShortName(chakra)).arg(percent));
    bar->show();
}

void frmResult::showProgress(const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    QTextCursor cursor(RTB->document());
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat heading;
    heading.setFontWeight(QFont::Bold);
    cursor.insertBlock();
    cursor.insertText(tr("Since your first kept result"), heading);
    for (const QString &line : lines) {
        cursor.insertBlock();
        cursor.insertText(line, QTextCharFormat());
    }
}

void frmResult::showAssessment(const Assessment &assessment)
{
    for (int k = 0; k < ChakraCount; ++k) {
        const ChakraAssessment &chakra = assessment.chakras[asIndex(k)];
        if (chakra.score() != 0)
            sizeAndShowBar(k, chakra.barPercent);
    }
    // With every tested chakra open there is nothing to practise.
    wayOut_.mnuPractise->setEnabled(assessment.needsYoga());
    wayOut_.mnuPractise->setToolTip(
        assessment.needsYoga()
            ? tr("Guides you through the recommended postures, timing each hold")
            : tr("Every chakra you tested is open: there are no postures to practise."));
    std::span<const Section> report = assessment.report;
    if (!report.empty() && report.front().kind == SectionKind::Introduction) {
        lblChakra->setText(fromLatin1(report.front().text));
        report = report.subspan(1);
    }
    showSections(RTB, report);
}

} // namespace pranoth
