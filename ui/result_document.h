#pragma once

#include <QDateTime>

#include "core/kept_session.h"
#include "core/practice_session.h"

#include <memory>

class QTextDocument;

namespace pranoth {

struct Assessment;

// A result as a document for paper: a header with the program's version, the
// time the test was completed and the chakras tested; the bar chart; how each
// verdict came about; the introduction and the report as the result window
// shows them; the recommended postures in the yoga viewer's order with their
// pictures and records (or a note that none are needed); a safety note; and,
// when there are postures, a practice plan on a page of its own: each posture
// once, in order, with its hold and sides at the user's practice settings,
// and the session's whole time, to be followed away from the computer. Pages
// are laid out when it is printed or saved.
// The practice plan on paper: at the user's settings, its holds grown by the
// kept sessions, as a session would hold them.
struct PlanOnPaper {
    PracticeSettings settings;
    std::vector<KeptSession> sessions;
};
std::unique_ptr<QTextDocument> composeResultDocument(const Assessment &assessment,
                                                     const QDateTime &completed,
                                                     const PlanOnPaper &practice = {});

} // namespace pranoth
