#include "print_job_follow_up.h"

#include <QCoreApplication>
#include <QPrinter>

#include <cups/cups.h>

#include <memory>
#include <optional>

namespace pranoth {

namespace {

class PrintJob {
    Q_DECLARE_TR_FUNCTIONS(PrintJob)
};

// The newest of this user's jobs on `queue` with an id above `after` and, if
// one is given, the title `title`.
std::optional<cups_job_t> newestJob(const QByteArray &queue, int after, const QString &title)
{
    cups_job_t *jobs = nullptr;
    const int count =
        cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.constData(), 1, CUPS_WHICHJOBS_ALL);
    std::optional<cups_job_t> newest;
    for (int i = 0; i < count; ++i) {
        const cups_job_t &job = jobs[i];
        if (job.id > after && (!newest || job.id > newest->id) &&
            (title.isNull() || QString::fromUtf8(job.title) == title))
            newest = job;
    }
    if (newest) // its texts go with the list
        newest->dest = newest->title = newest->user = newest->format = nullptr;
    cupsFreeJobs(count, jobs);
    return newest;
}

struct QueueState {
    bool found = false;
    bool stopped = false;
    bool accepting = true;
    QString message; // what the printer says of its state ("Out of paper")
    QString failure; // why the queue was not found
};

QueueState queueState(const QByteArray &queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.constData());
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char *const wanted[] = {"printer-state", "printer-is-accepting-jobs",
                                         "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  std::size(wanted), nullptr, wanted);
    const std::unique_ptr<ipp_t, decltype(&ippDelete)> answer(
        cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), &ippDelete);
    QueueState state;
    if (!answer || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
        state.failure = QString::fromUtf8(cupsLastErrorString());
        return state;
    }
    state.found = true;
    if (ipp_attribute_t *printer = ippFindAttribute(answer.get(), "printer-state", IPP_TAG_ENUM))
        state.stopped = ippGetInteger(printer, 0) == IPP_PSTATE_STOPPED;
    if (ipp_attribute_t *accepting =
            ippFindAttribute(answer.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN))
        state.accepting = ippGetBoolean(accepting, 0) != 0;
    if (ipp_attribute_t *message =
            ippFindAttribute(answer.get(), "printer-state-message", IPP_TAG_TEXT))
        state.message = QString::fromUtf8(ippGetString(message, 0, nullptr)).trimmed();
    return state;
}

} // namespace

PrintJobFollowUp::PrintJobFollowUp(const QPrinter &printer)
{
    // Pages printed to a file never reach a queue.
    if (printer.outputFormat() != QPrinter::NativeFormat || !printer.outputFileName().isEmpty())
        return;
    // An instance of a queue ("name/instance") prints on the queue itself.
    queue_ = printer.printerName().section(QLatin1Char('/'), 0, 0);
    title_ = printer.docName();
    if (const auto job = newestJob(queue_.toUtf8(), 0, QString()))
        newestJob_ = job->id;
}

QString PrintJobFollowUp::problem() const
{
    if (queue_.isEmpty())
        return {};
    // Handing the pages over was the print system's last request: its answer
    // is still the one to read.
    const ipp_status_t handedOver = cupsLastError();
    const QString refusal = QString::fromUtf8(cupsLastErrorString());
    const QByteArray queue = queue_.toUtf8();
    const QueueState state = queueState(queue);
    const QString says =
        state.message.isEmpty()
            ? QString()
            : QLatin1Char(' ') +
                  PrintJob::tr("The printer says: \u201c%1\u201d.").arg(state.message);

    if (const auto job = newestJob(queue, newestJob_, title_)) {
        switch (job->state) {
        case IPP_JSTATE_HELD:
            return PrintJob::tr("The result was sent to the printer \u201c%1\u201d, but the job "
                                "is held in the printer's queue: nothing is printed until it is "
                                "released.")
                .arg(queue_);
        case IPP_JSTATE_CANCELED:
            return PrintJob::tr("The result was not printed: the job was cancelled on the "
                                "printer \u201c%1\u201d.")
                       .arg(queue_) +
                   says;
        case IPP_JSTATE_ABORTED:
            return PrintJob::tr("The result was not printed: the printer \u201c%1\u201d could "
                                "not print the job.")
                       .arg(queue_) +
                   says;
        case IPP_JSTATE_PENDING:
        case IPP_JSTATE_STOPPED:
            if (job->state == IPP_JSTATE_PENDING && !state.stopped)
                return {}; // waiting its turn
            return PrintJob::tr("The result was sent to the printer \u201c%1\u201d, but the "
                                "printer is stopped: the job waits in its queue, and nothing is "
                                "printed until the printer is started again.")
                       .arg(queue_) +
                   says;
        default: // printing, or printed
            return {};
        }
    }
    if (!state.found)
        return PrintJob::tr("The result was not printed: the printer \u201c%1\u201d could not be "
                            "reached (%2).")
            .arg(queue_, state.failure);
    if (!state.accepting)
        return PrintJob::tr("The result was not printed: the printer \u201c%1\u201d is not "
                            "accepting jobs.")
                   .arg(queue_) +
               says + QLatin1Char(' ') +
               PrintJob::tr("Please choose another printer, or print again once it accepts jobs.");
    if (handedOver > IPP_STATUS_OK_EVENTS_COMPLETE)
        return PrintJob::tr("The result was not printed: the printer \u201c%1\u201d did not take "
                            "the job (%2).")
            .arg(queue_, refusal);
    // Taken, and already gone from a queue that keeps no history of its jobs.
    return {};
}

} // namespace pranoth
