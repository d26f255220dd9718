#pragma once

#include <QString>

class QWidget;

namespace pranoth {

struct ResultDocumentData;

// The name a saved result is offered under: "Pranoth result YYYY-MM-DD.pdf",
// dated the day the test was completed, in the user's documents folder.
QString defaultResultPdfPath(const ResultDocumentData &data);

// "Save as PDF…": asks where, adds ".pdf" when the name has no such ending and
// writes the result there. A failure is shown in a message box and the user
// may choose another place. Returns whether the result was saved; cancelling
// saves nothing.
bool saveResultAsPdf(QWidget *parent, const ResultDocumentData &data);

// "Print…": the print dialog, then the result on the chosen printer. Returns
// whether it was printed.
bool printResultWithDialog(QWidget *parent, const ResultDocumentData &data);

} // namespace pranoth
