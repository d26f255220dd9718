#pragma once

#include <QDateTime>
#include <QLocale>
#include <QPageSize>
#include <QString>

#include "result_document.h"

class QPrinter;

namespace pranoth {

struct Assessment;

// The paper the user's locale prefers: Letter where it is the norm (the United
// States, Canada, Mexico and a few more of the Americas, and the Philippines),
// A4 elsewhere.
QPageSize preferredPageSize(const QLocale &locale = QLocale());

// Writes the result as a PDF file at `path`, page numbers in the footer.
// Returns the empty text on success, or a message saying what failed and
// where; on failure a file already at `path` is left as it was.
QString writeResultPdf(const Assessment &assessment, const QDateTime &completed,
                       const QString &path, const QPageSize &pageSize,
                       const PlanOnPaper &practice = {});

// Prints the result on the printer's pages; the empty text on success, or a
// message saying what failed.
QString printResult(const Assessment &assessment, const QDateTime &completed, QPrinter &printer,
                    const PlanOnPaper &practice = {});

} // namespace pranoth
