#pragma once

#include <QDateTime>

#include <memory>

class QTextDocument;

namespace pranoth {

struct Assessment;

// A result as a document for paper: a header with the program's version, the
// time the test was completed and the chakras tested; the bar chart; how each
// verdict came about; the introduction and the report as the result window
// shows them; the recommended postures in the yoga viewer's order with their
// pictures and records (or a note that none are needed); and a safety note.
// Pages are laid out when it is printed or saved.
std::unique_ptr<QTextDocument> composeResultDocument(const Assessment &assessment,
                                                     const QDateTime &completed);

} // namespace pranoth
