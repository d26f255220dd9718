#pragma once

#include "core/answer_tally.h"
#include "core/chakra.h"
#include "core/platform.h"
#include "core/scoring.h"
#include "yoga/yoga_plan.h"

#include <QDateTime>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include <array>
#include <memory>

class QPrinter;
class QTextDocument;

namespace pranoth {

class TestRun;
struct KeptResult;

// Everything the printed result shows, taken from a completed run.
struct ResultDocumentData {
    QDateTime completed;
    std::array<bool, ChakraCount> tested{};
    std::array<Int16, ChakraCount> scores{};
    std::array<AnswerTally, ChakraCount> tallies{};
    // The postures of the chakras that are not open, in the viewer's slots.
    YogaPlanList plan{};

    Verdict verdict(int chakra) const { return verdictOf(scores[asIndex(chakra)]); }
    // Whether any tested chakra is not open.
    bool needsYoga() const;
};

// The result of a completed run: its tested chakras and tallies, the scores
// of `results`, and the yoga plan for the tested chakras that are not open.
ResultDocumentData resultDocumentData(const TestRun &run, const ChakraResults &results,
                                      const QDateTime &completed);

// The result of a kept record, scored as today's program scores it and dated
// with the time it was kept.
ResultDocumentData resultDocumentData(const KeptResult &record);

// A calendar time of the platform as a local date and time.
QDateTime toQDateTime(const DateTime &time);

// The paper the user's locale prefers: Letter where it is the norm (the United
// States, Canada, Mexico and a few more of the Americas, and the Philippines),
// A4 elsewhere.
QPageSize preferredPageSize(const QLocale &locale = QLocale());

// The result as a paginated document for pages of the given size: a header,
// the bar chart, how each verdict came about, the introduction and the report
// as the result window shows them, the recommended yoga (or a note that none
// is needed) and a safety note. Laid out for the screen's resolution;
// printing and saving lay it out again for their device.
std::unique_ptr<QTextDocument> buildResultDocument(const ResultDocumentData &data,
                                                   const QPageSize &pageSize);

// Writes the result as a PDF file at `path`, page numbers in the footer.
// Returns the empty text on success, or a message saying what failed and
// where; on failure a file already at `path` is left as it was.
QString writeResultPdf(const ResultDocumentData &data, const QString &path,
                       const QPageSize &pageSize);

// Prints the result on the printer's pages; the empty text on success, or a
// message saying what failed.
QString printResult(const ResultDocumentData &data, QPrinter &printer);

} // namespace pranoth
