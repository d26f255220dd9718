#pragma once

#include <QString>

class QPrinter;

namespace pranoth {

// What became of the pages sent to a printer's queue. Qt hands them to the
// print system and hears nothing back: a queue that refuses jobs loses them,
// and a stopped queue keeps them waiting, without a word. This asks the
// queue itself: made before printing, it notes the queue's newest job; asked
// after printing, it looks for the job that printing added.
class PrintJobFollowUp {
public:
    explicit PrintJobFollowUp(const QPrinter &printer);

    // The empty text when the job is on its way to paper (or the pages went
    // to a file); otherwise what happened, naming the printer: the job is
    // held in the queue, or the queue did not take it and nothing is printed.
    QString problem() const;

private:
    QString queue_; // empty when the pages do not go to a print queue
    QString title_;
    int newestJob_ = 0;
};

} // namespace pranoth
