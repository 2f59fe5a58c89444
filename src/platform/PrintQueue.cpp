// The print server's word on a queue, through its client library. The library is loaded when
// printing first asks, not with the program: it brings a dozen more (encryption, name lookup)
// that every start-up would map and link for nothing.
#include "platform/PrintQueue.h"

#include <cups/cups.h>

#include <dlfcn.h>

#include <memory>
#include <type_traits>

namespace {

// The library's functions that the checks use; all null when it cannot be loaded.
struct Client {
    decltype(&::httpAssembleURIf) httpAssembleURIf = nullptr;
    decltype(&::ippNewRequest) ippNewRequest = nullptr;
    decltype(&::ippAddString) ippAddString = nullptr;
    decltype(&::ippAddStrings) ippAddStrings = nullptr;
    decltype(&::cupsDoRequest) cupsDoRequest = nullptr;
    decltype(&::ippDelete) ippDelete = nullptr;
    decltype(&::ippFindAttribute) ippFindAttribute = nullptr;
    decltype(&::ippGetString) ippGetString = nullptr;
    decltype(&::ippGetBoolean) ippGetBoolean = nullptr;
    decltype(&::ippGetInteger) ippGetInteger = nullptr;
    decltype(&::cupsLastError) cupsLastError = nullptr;
    decltype(&::cupsLastErrorString) cupsLastErrorString = nullptr;
    bool loaded = false;
};

const Client& Cups() {
    static const Client client = [] {
        Client c;
        void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!library) return c;
        const auto find = [library](auto& function, const char* name) {
            function =
                reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
            return function != nullptr;
        };
        c.loaded = find(c.httpAssembleURIf, "httpAssembleURIf") &
                   find(c.ippNewRequest, "ippNewRequest") & find(c.ippAddString, "ippAddString") &
                   find(c.ippAddStrings, "ippAddStrings") & find(c.cupsDoRequest, "cupsDoRequest") &
                   find(c.ippDelete, "ippDelete") & find(c.ippFindAttribute, "ippFindAttribute") &
                   find(c.ippGetString, "ippGetString") & find(c.ippGetBoolean, "ippGetBoolean") &
                   find(c.ippGetInteger, "ippGetInteger") & find(c.cupsLastError, "cupsLastError") &
                   find(c.cupsLastErrorString, "cupsLastErrorString");
        return c;
    }();
    return client;
}

constexpr const char* kNoClient = "the print server's client library cannot be loaded";

struct FreeIpp {
    void operator()(ipp_t* ipp) const { Cups().ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, FreeIpp>;

// The queue's state, whether it takes jobs and the message its administrator left.
Ipp QueueAttributes(const std::string& queue) {
    const Client& cups = Cups();
    char uri[HTTP_MAX_URI];
    cups.httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                          "/printers/%s", queue.c_str());
    ipp_t* request = cups.ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    cups.ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const kWanted[] = {"printer-state", "printer-is-accepting-jobs",
                                          "printer-state-message"};
    cups.ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 3,
                       nullptr, kWanted);
    // The request is the library's to free.
    return Ipp(cups.cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
}

std::string WithMessage(std::string problem, ipp_t* attributes) {
    ipp_attribute_t* message =
        Cups().ippFindAttribute(attributes, "printer-state-message", IPP_TAG_TEXT);
    const char* text = message ? Cups().ippGetString(message, 0, nullptr) : nullptr;
    return text && *text ? problem + ": " + text : problem;
}

} // namespace

std::string QueueProblem(const std::string& queue) {
    const Client& cups = Cups();
    if (!cups.loaded) return "the printer " + queue + " cannot be reached: " + kNoClient;
    const Ipp attributes = QueueAttributes(queue);
    if (!attributes || cups.cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE)
        return "the printer " + queue + " cannot be reached: " + cups.cupsLastErrorString();
    ipp_attribute_t* accepting =
        cups.ippFindAttribute(attributes.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
    if (accepting && !cups.ippGetBoolean(accepting, 0))
        return WithMessage("the printer " + queue + " does not accept jobs", attributes.get());
    ipp_attribute_t* state = cups.ippFindAttribute(attributes.get(), "printer-state", IPP_TAG_ENUM);
    if (state && cups.ippGetInteger(state, 0) == IPP_PSTATE_STOPPED)
        return WithMessage("the printer " + queue + " is stopped", attributes.get());
    return "";
}

std::string SubmissionProblem(const std::string& queue) {
    const Client& cups = Cups();
    if (!cups.loaded) return "the printer " + queue + " did not take the job: " + kNoClient;
    if (cups.cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE) return "";
    return "the printer " + queue + " did not take the job: " + cups.cupsLastErrorString();
}
