#pragma once

#include <QDateTime>
#include <QString>

class QWidget;

namespace pranoth {

class Platform;
struct Assessment;

// The name a saved result is offered under: "Pranoth result YYYY-MM-DD.pdf",
// dated the day the test was completed, in the user's documents folder (the
// home folder when there is none).
QString defaultResultPdfPath(const QDateTime &completed);

// "Save as PDF…": asks where, adds ".pdf" when the name has no such ending and
// writes the result there. A failure is told and the user may choose another
// place. Returns whether the result was saved; cancelling saves nothing.
bool saveResultAsPdf(Platform &platform, const Assessment &assessment, const QDateTime &completed);

// "Print…": the print dialog over `parent`, then the result on the chosen
// printer. Returns whether it was printed.
bool printResultWithDialog(QWidget *parent, Platform &platform, const Assessment &assessment,
                           const QDateTime &completed);

} // namespace pranoth
