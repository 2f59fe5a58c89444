// Loads the printing module: beside the program, or for a test program elsewhere in the build,
// where the build put it.
#include "platform/PrinterModule.h"

#include "platform/Exceptions.h"
#include "platform/TestSeams.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {
namespace fs = std::filesystem;

std::vector<fs::path> Places() {
    if (TestSeams::Enabled() && !TestSeams::PrintingModule().empty())
        return {fs::path(TestSeams::PrintingModule())};
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return {program.parent_path() / CALENDAR_PRINTING_MODULE_NAME,
            fs::path(CALENDAR_PRINTING_MODULE)};
}

const PrinterFunctions* Load(std::string& problem) {
    std::error_code error;
    for (const fs::path& path : Places()) {
        if (!fs::exists(path, error)) continue;
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            problem = dlerror();
            continue;
        }
        if (const auto entry =
                reinterpret_cast<PrinterFunctionsEntry>(dlsym(module, "CalendarPrinterFunctions")))
            return entry();
        problem = path.string() + " is not the calendar's printing module";
    }
    return nullptr;
}
} // namespace

const PrinterFunctions& PrinterModule() {
    // A module that could not be loaded is looked for again at the next print: it may have
    // been put in place since.
    static const PrinterFunctions* functions = nullptr;
    if (!functions) {
        std::string problem = std::string(CALENDAR_PRINTING_MODULE_NAME) + " is missing";
        functions = Load(problem);
        if (!functions) throw IOException("printing is not available: " + problem);
    }
    return *functions;
}
