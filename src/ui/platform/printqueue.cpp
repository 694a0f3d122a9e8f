#include "ui/platform/printqueue.h"

#include <QDeadlineTimer>
#include <QThread>
#include <cups/cups.h>

namespace garabix::printqueue {

namespace {

QString lastError() {
    return QString::fromUtf8(cupsLastErrorString());
}

// The value of one attribute of a scheduler's answer, its values joined.
QString text(ipp_t *response, const char *name) {
    ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    QStringList values;
    for (int i = 0; attribute && i < ippGetCount(attribute); ++i)
        if (const char *v = ippGetString(attribute, i, nullptr))
            values << QString::fromUtf8(v);
    return values.join(QLatin1String(", "));
}

int number(ipp_t *response, const char *name, int otherwise) {
    ipp_attribute_t *attribute = ippFindAttribute(response, name, IPP_TAG_ZERO);
    return attribute ? ippGetInteger(attribute, 0) : otherwise;
}

QByteArray printerUri(const QString &queue) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.toUtf8().constData());
    return uri;
}

// The reason the scheduler gives for a queue or a job in its state.
QString reasonOf(ipp_t *response, const char *reasons, const char *message) {
    QString reason = text(response, reasons);
    const QString said = text(response, message);
    if (!said.isEmpty())
        reason += (reason.isEmpty() ? QString() : QStringLiteral(": ")) + said;
    return reason;
}

} // namespace

Answer readiness(const QString &queue) {
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                 printerUri(queue).constData());
    static const char *const wanted[] = {"printer-is-accepting-jobs", "printer-state",
                                         "printer-state-reasons", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  sizeof wanted / sizeof *wanted, nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
        ippDelete(response);
        return {false, lastError()};
    }
    Answer answer{true, {}};
    ipp_attribute_t *accepting =
        ippFindAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !ippGetBoolean(accepting, 0))
        answer = {false, QStringLiteral("not accepting jobs (") +
                             reasonOf(response, "printer-state-reasons", "printer-state-message") +
                             QLatin1Char(')')};
    else if (number(response, "printer-state", IPP_PSTATE_IDLE) == IPP_PSTATE_STOPPED)
        answer = {false, QStringLiteral("stopped (") +
                             reasonOf(response, "printer-state-reasons", "printer-state-message") +
                             QLatin1Char(')')};
    ippDelete(response);
    return answer;
}

Answer send(const QString &queue, const QString &pdf, int followMs) {
    const int job = cupsPrintFile(queue.toUtf8().constData(), pdf.toLocal8Bit().constData(),
                                  "Garabix", 0, nullptr);
    if (job == 0)
        return {false, lastError()};
    QDeadlineTimer deadline(followMs);
    for (;;) {
        ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr,
                     printerUri(queue).constData());
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", job);
        ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
            ippDelete(response);
            return {false, lastError()};
        }
        const int state = number(response, "job-state", IPP_JSTATE_PENDING);
        const QString reason = reasonOf(response, "job-state-reasons", "job-printer-state-message");
        ippDelete(response);
        switch (state) {
        case IPP_JSTATE_PROCESSING:
        case IPP_JSTATE_COMPLETED:
            return {true, {}};
        case IPP_JSTATE_STOPPED:
        case IPP_JSTATE_CANCELED:
        case IPP_JSTATE_ABORTED:
            return {false, QStringLiteral("job %1 failed (%2)").arg(job).arg(reason)};
        default: // pending or held: the scheduler has it, the printer not yet
            if (deadline.hasExpired())
                return {state != IPP_JSTATE_HELD,
                        QStringLiteral("job %1 held (%2)").arg(job).arg(reason)};
            QThread::msleep(100);
        }
    }
}

} // namespace garabix::printqueue
