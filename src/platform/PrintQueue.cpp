// The print server's word on a queue, through its client library.
#include "platform/PrintQueue.h"

#include <cups/cups.h>

#include <memory>

namespace {

struct FreeIpp {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, FreeIpp>;

// The queue's state, whether it takes jobs and the message its administrator left.
Ipp QueueAttributes(const std::string& queue) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", queue.c_str());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const kWanted[] = {"printer-state", "printer-is-accepting-jobs",
                                          "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3, nullptr,
                  kWanted);
    // The request is the library's to free.
    return Ipp(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
}

std::string WithMessage(std::string problem, ipp_t* attributes) {
    ipp_attribute_t* message = ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT);
    const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
    return text && *text ? problem + ": " + text : problem;
}

} // namespace

std::string QueueProblem(const std::string& queue) {
    const Ipp attributes = QueueAttributes(queue);
    if (!attributes || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return "the printer " + queue + " cannot be reached: " + cupsLastErrorString();
    ipp_attribute_t* accepting =
        ippFindAttribute(attributes.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !ippGetBoolean(accepting, 0))
        return WithMessage("the printer " + queue + " does not accept jobs", attributes.get());
    ipp_attribute_t* state = ippFindAttribute(attributes.get(), "printer-state", IPP_TAG_ENUM);
    if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        return WithMessage("the printer " + queue + " is stopped", attributes.get());
    return "";
}

std::string SubmissionProblem(const std::string& queue) {
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return "";
    return "the printer " + queue + " did not take the job: " + cupsLastErrorString();
}
