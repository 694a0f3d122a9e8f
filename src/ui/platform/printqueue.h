#pragma once
// The print scheduler (CUPS), asked what Qt does not tell: whether a queue
// takes jobs now, and what became of a job once it was sent. Every call may
// wait on the scheduler, so none belongs on the interface thread.

#include <QString>

namespace garabix::printqueue {

// How a step went, and when it failed, the scheduler's own reason.
struct Answer {
    bool ok = false;
    QString reason;
};

// Whether `queue` accepts jobs and is not stopped.
Answer readiness(const QString &queue);

// Sends the PDF file at `pdf` to `queue` as one job and follows it until the
// scheduler has taken it (it is printing or printed) or has failed it, for
// `followMs` at most; a job still waiting then counts as taken.
Answer send(const QString &queue, const QString &pdf, int followMs);

} // namespace garabix::printqueue
