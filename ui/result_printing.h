#pragma once

#include "core/kept_session.h"

#include <QDateTime>
#include <QString>

#include <vector>

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
// The practice plan's holds are grown by the kept `sessions`.
bool saveResultAsPdf(Platform &platform, const Assessment &assessment, const QDateTime &completed,
                     const std::vector<KeptSession> &sessions);

// "Print…": the print dialog over `parent`, then the result on the chosen
// printer. Returns whether it was printed.
bool printResultWithDialog(QWidget *parent, Platform &platform, const Assessment &assessment,
                           const QDateTime &completed, const std::vector<KeptSession> &sessions);

} // namespace pranoth
