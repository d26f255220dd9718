#include "result_document.h"

#include "chakra_palette.h"
#include "core/assessment.h"
#include "core/config.h"
#include "core/kept_session.h"
#include "document_pages.h"
#include "frmPractice.h"
#include "program_resources.h"
#include "qt_text.h"
#include "result_chart.h"
#include "section_text.h"
#include "yoga/asana_catalogue.h"
#include "yoga/practice_plan.h"
#include "yoga/yoga_plan.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <span>

namespace pranoth {

namespace {

class ResultDocument {
    Q_DECLARE_TR_FUNCTIONS(ResultDocument)
};

constexpr qreal BodyPoints = 10.0;
// Side of an asana picture, in the pixels of a 96-dpi screen, as the viewer shows it.
constexpr int PictureSide = 250;

// Appends the document's parts at the end of `document`.
class Composer {
public:
    Composer(QTextDocument &document, const Assessment &assessment, QDateTime completed,
             const PlanOnPaper &practice)
        : document_(document), assessment_(assessment), completed_(std::move(completed)),
          practice_(practice.settings), sessions_(practice.sessions), cursor_(&document)
    {}

    void compose()
    {
        header();
        chart();
        tallies();
        report();
        if (assessment_.needsYoga())
            yoga();
        else
            noYoga();
        safetyNote();
        if (assessment_.needsYoga())
            practicePlan();
    }

private:
    static QTextCharFormat text(qreal points = BodyPoints, bool bold = false,
                                QColor colour = ReportBlack)
    {
        QTextCharFormat format;
        format.setFont(documentFont(points, bold), QTextCharFormat::FontPropertiesAll);
        format.setForeground(colour);
        return format;
    }

    static QTextBlockFormat paragraph(qreal spaceAbove = 0.0, qreal spaceBelow = 4.0)
    {
        QTextBlockFormat format;
        format.setTopMargin(spaceAbove);
        format.setBottomMargin(spaceBelow);
        return format;
    }

    // Starts a new paragraph, except on the document's first, empty one.
    void block(const QTextBlockFormat &format, const QTextCharFormat &characters)
    {
        cursor_.movePosition(QTextCursor::End);
        if (document_.isEmpty() && !started_) {
            cursor_.setBlockFormat(format);
            cursor_.setBlockCharFormat(characters);
        } else {
            cursor_.insertBlock(format, characters);
        }
        started_ = true;
    }

    void heading(const QString &title, qreal points = 13.0)
    {
        QTextBlockFormat format = paragraph(14.0, 6.0);
        format.setProperty(StaysWithNextProperty, true);
        block(format, text(points, true, ReportTeal));
        cursor_.insertText(title);
    }

    void line(const QString &words, const QTextCharFormat &format = text())
    {
        block(paragraph(), format);
        cursor_.insertText(words);
    }

    void header()
    {
        block(paragraph(0.0, 2.0), text(18.0, true));
        cursor_.insertText(fromLatin1(config::Caption));
        line(ResultDocument::tr("Chakra test result"), text(12.0, true, ReportTeal));
        const QLocale locale;
        line(ResultDocument::tr("Test completed: %1")
                 .arg(locale.toString(completed_.date(), QLocale::LongFormat) + QLatin1Char(' ') +
                      locale.toString(completed_.time(), QLocale::ShortFormat)));
        QStringList names;
        for (int k = 0; k < ChakraCount; ++k) {
            if (assessment_.chakras[asIndex(k)].tested)
                names << fromLatin1(chakraDisplayName(k));
        }
        line(ResultDocument::tr("Chakras tested: %1").arg(locale.createSeparatedList(names)));
    }

    void chart()
    {
        block(paragraph(12.0, 12.0), text());
        insertResultChart(cursor_, assessment_);
    }

    static QString bandsExplained()
    {
        const auto band = [](int index) { return VerdictBands[asIndex(index)]; };
        const auto name = [&band](int index) {
            return fromLatin1(verdictName(band(index).verdict));
        };
        return ResultDocument::tr(
                   "A verdict follows from how many of the chakra's eight answers matched the "
                   "key: %1 to %2 give %3, %4 to %5 %6 and %7 to %8 %9. A \u201cNot Sure\u201d "
                   "answer never matches the key, so each one pulls a verdict toward %10.")
            .arg(band(0).lowestScore)
            .arg(band(0).highestScore)
            .arg(name(0))
            .arg(band(1).lowestScore)
            .arg(band(1).highestScore)
            .arg(name(1))
            .arg(band(2).lowestScore)
            .arg(band(2).highestScore)
            .arg(name(2), name(0));
    }

    void tallies()
    {
        heading(ResultDocument::tr("How each verdict came about"));
        line(bandsExplained());
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        QTextList *list = nullptr;
        for (int k = 0; k < ChakraCount; ++k) {
            const ChakraAssessment &chakra = assessment_.chakras[asIndex(k)];
            if (!chakra.tested)
                continue;
            const QString tally =
                chakra.notSure == 1
                    ? ResultDocument::tr("%1: %2 of %3 answers matched the key, %4 was \u201cNot "
                                         "Sure\u201d: %5.")
                    : ResultDocument::tr("%1: %2 of %3 answers matched the key, %4 were \u201cNot "
                                         "Sure\u201d: %5.");
            line(tally.arg(fromLatin1(chakraDisplayName(k)))
                     .arg(chakra.matched)
                     .arg(chakra.asked)
                     .arg(chakra.notSure)
                     .arg(fromLatin1(verdictName(chakra.verdict))));
            if (list)
                list->add(cursor_.block());
            else
                list = cursor_.createList(bullets);
        }
    }

    void report()
    {
        heading(ResultDocument::tr("Your result"));
        std::span<const Section> sections = assessment_.report;

        // The introduction, in the result window's colours, its runs of
        // spaces kept.
        if (!sections.empty() && sections.front().kind == SectionKind::Introduction) {
            QTextFrameFormat box;
            box.setBackground(IntroductionBackground);
            box.setPadding(6.0);
            box.setBorder(0.0);
            box.setTopMargin(4.0);
            box.setBottomMargin(10.0);
            cursor_.movePosition(QTextCursor::End);
            cursor_.insertFrame(box);
            cursor_.setBlockFormat(paragraph(0.0, 0.0));
            cursor_.setBlockCharFormat(text(BodyPoints, false, IntroductionText));
            cursor_.insertText(fromLatin1(sections.front().text),
                               text(BodyPoints, false, IntroductionText));
            sections = sections.subspan(1);
        }

        // The report, in the empty paragraph that follows the frame.
        cursor_ = document_.rootFrame()->lastCursorPosition();
        cursor_.setBlockFormat(paragraph(0.0, 0.0));
        cursor_.setBlockCharFormat(text());
        insertSections(cursor_, sections, Surface::paper());
    }

    void yoga()
    {
        // The part follows the report on the same page when its first
        // posture's heading and picture fit there, its own heading with them.
        heading(ResultDocument::tr("Recommended yoga"), 16.0);
        QTextBlockFormat introduction = paragraph();
        introduction.setProperty(StaysWithNextProperty, true);
        block(introduction, text());
        cursor_.insertText(ResultDocument::tr("The postures for the chakras that are not open, in "
                                              "the order the yoga viewer shows them."));
        YogaPlanList plan{};
        buildYogaPlan(assessment_.yogaNeeded(), plan);
        const AsanaCatalogueList &catalogue = fillAsanaCatalogue();
        for (auto slot = findYogaRecord(plan, 0, SearchDirection::Forward); slot;
             slot = findYogaRecord(plan, *slot + 1, SearchDirection::Forward)) {
            const YogaPlanSlot &record = plan[asIndex(*slot)];
            if (record.asana < 0 || record.asana >= AsanaCount)
                continue;
            const Asana &asana = catalogue[asIndex(record.asana)];
            heading(ResultDocument::tr("%1, for the %2")
                        .arg(fromLatin1(asana.name), fromLatin1(record.chakraTitle)));
            picture(asanaPicturePosition(record.asana));
            block(paragraph(0.0, 0.0), text());
            insertSections(cursor_, asanaRecord(asana), Surface::paper());
        }
    }

    void picture(int position)
    {
        const QUrl name(QStringLiteral("pranoth-picture:%1").arg(position));
        if (!document_.resource(QTextDocument::ImageResource, name).isValid()) {
            QImage image = asanaPicture(position, 2.0).toImage();
            image.setDevicePixelRatio(1.0);
            document_.addResource(QTextDocument::ImageResource, name, image);
        }
        QTextImageFormat image;
        image.setName(name.toString());
        image.setWidth(PictureSide);
        image.setHeight(PictureSide);
        block(paragraph(4.0, 8.0), text());
        cursor_.insertImage(image);
    }

    void noYoga()
    {
        heading(ResultDocument::tr("Yoga"));
        line(ResultDocument::tr("Every chakra you tested is open: no chakra yoga is needed."));
    }

    void safetyNote()
    {
        heading(ResultDocument::tr("Practise safely"));
        // The note stays whole, on one page.
        QTextBlockFormat whole = paragraph();
        whole.setProperty(UnbrokenProperty, true);
        block(whole, text());
        cursor_.insertText(fromLatin1(SafetyNote));
    }

    // One page to follow away from the computer: each posture once, in the
    // order Practise Along takes them, with its hold at the user's settings.
    void practicePlan()
    {
        YogaPlanList recommended{};
        buildYogaPlan(assessment_.yogaNeeded(), recommended);
        PracticePlan plan = buildPracticePlan(recommended);
        growHolds(plan, sessions_, practice_.planStartedAtUtc);
        const std::vector<SessionPosture> postures = sessionPostures(plan, practice_.beginner);

        heading(ResultDocument::tr("Practice plan"), 16.0);
        QTextBlockFormat first = cursor_.blockFormat();
        first.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        cursor_.setBlockFormat(first);
        line(ResultDocument::tr("Hold each posture for the time given, in this order. Take at "
                                "least %1 s to get ready before each posture, longer for those "
                                "that take longer to come into, and rest %2 s after coming out "
                                "of each one but the last.")
                 .arg(practice_.getReadySeconds)
                 .arg(practice_.restSeconds));

        QTextTableFormat grid;
        grid.setBorder(0.5);
        grid.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        grid.setCellPadding(4.0);
        grid.setCellSpacing(0.0);
        grid.setHeaderRowCount(1);
        grid.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        grid.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 5),
                                        QTextLength(QTextLength::PercentageLength, 38),
                                        QTextLength(QTextLength::PercentageLength, 32),
                                        QTextLength(QTextLength::PercentageLength, 25)});
        block(paragraph(4.0, 0.0), text());
        QTextTable *table = cursor_.insertTable(static_cast<int>(plan.size()) + 1, 4, grid);
        const auto cell = [table](int row, int column, const QString &words, bool bold = false) {
            QTextCursor at = table->cellAt(row, column).firstCursorPosition();
            at.insertText(words, text(BodyPoints, bold));
        };
        cell(0, 0, QStringLiteral("#"), true);
        cell(0, 1, ResultDocument::tr("Posture"), true);
        cell(0, 2, ResultDocument::tr("For the chakras"), true);
        cell(0, 3, ResultDocument::tr("Hold"), true);
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const auto row = static_cast<int>(i) + 1;
            const Asana &asana = postureRecord(plan[i].asana);
            QStringList chakras;
            for (int k = 0; k < ChakraCount; ++k) {
                if (plan[i].chakras[asIndex(k)])
                    chakras << chakraShortName(k);
            }
            const auto hold = static_cast<int>(
                PracticeSession::scaledHoldMs(postures[i].holdSeconds, practice_.holdPercent) /
                1000);
            cell(row, 0, QString::number(row));
            cell(row, 1,
                 fromLatin1(asana.name) + QStringLiteral(" (") + fromLatin1(asana.englishName) +
                     QLatin1Char(')'));
            cell(row, 2,
                 plan[i].role == SessionRole::Advice ? chakras.join(QStringLiteral(", "))
                                                     : sessionRoleName(plan[i].role));
            cell(row, 3,
                 postures[i].eachSide
                     ? ResultDocument::tr("%1 s each side, right then left").arg(hold)
                     : ResultDocument::tr("%1 s").arg(hold));
        }
        cursor_ = document_.rootFrame()->lastCursorPosition();
        const auto total =
            static_cast<int>((PracticeSession::lengthMs(postures, practice_) + 999) / 1000);
        line(ResultDocument::tr("Total time: %1.").arg(fromLatin1(durationText(total))),
             text(BodyPoints, true));
    }

    QTextDocument &document_;
    const Assessment &assessment_;
    QDateTime completed_;
    const PracticeSettings &practice_;
    const std::vector<KeptSession> &sessions_;
    QTextCursor cursor_;
    bool started_ = false;
};

} // namespace

std::unique_ptr<QTextDocument> composeResultDocument(const Assessment &assessment,
                                                     const QDateTime &completed,
                                                     const PlanOnPaper &practice)
{
    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    // Lines wrap as in the result window's text views.
    QTextOption wrapping = document->defaultTextOption();
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document->setDefaultTextOption(wrapping);
    registerResultChart(*document);
    Composer(*document, assessment, completed, practice).compose();
    document->setDefaultFont(documentFont(BodyPoints));
    return document;
}

} // namespace pranoth
