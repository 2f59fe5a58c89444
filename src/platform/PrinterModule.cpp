// Loads the printing module: beside the program, or for a test program elsewhere in the build,
// where the build put it.
#include "platform/PrinterModule.h"

#include "platform/Exceptions.h"

#include <dlfcn.h>

#include <filesystem>
#include <string>

namespace {
namespace fs = std::filesystem;

const PrinterFunctions* Load(std::string& problem) {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    for (const fs::path& path : {program.parent_path() / CALENDAR_PRINTING_MODULE_NAME,
                                 fs::path(CALENDAR_PRINTING_MODULE)}) {
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
    static std::string problem = std::string(CALENDAR_PRINTING_MODULE_NAME) + " is missing";
    static const PrinterFunctions* const functions = Load(problem);
    if (!functions) throw IOException("printing is not available: " + problem);
    return *functions;
}
