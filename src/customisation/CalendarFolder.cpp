// Choosing the calendar folder and reading its calendar file.
#include "customisation/CalendarKeys.h"
#include "customisation/CustomisationText.h"
#include "customisation/CustomizationModule.h"

#include "platform/Exceptions.h"
#include "platform/TextStream.h"

namespace {

// A calendar folder holds a calendar file; names inside it are matched without regard to
// letter case.
bool Qualifies(const FolderItem& folder) {
    return folder.Directory() && folder.ChildIgnoringCase("calspc.dat").Exists();
}

// The item that the first line of caldef.dat names (none when the line names nothing);
// nullopt when there is no caldef.dat to read.
std::optional<FolderItem> NamedFolder(const FolderItem& application) {
    auto caldef = TextInputStream::Open(application.ChildIgnoringCase("caldef.dat"));
    if (!caldef) return std::nullopt;
    return application.ChildIgnoringCase(caldef->ReadLine());
}

} // namespace

void CustomizationModule::FindSpecs() {
    CustomizationModule& module = Customization();
    const FolderItem application = SpecialFolder::ApplicationFolder();
    if (auto named = NamedFolder(application)) module.DefaultCalendarFolder = *named;

    if (!Qualifies(module.DefaultCalendarFolder)) {
        // Items are listed in name order, so the choice is the same on every machine.
        for (int i = 1, count = application.Count(); i <= count; ++i) {
            const FolderItem item = application.Item(i);
            if (Qualifies(item)) {
                module.DefaultCalendarFolder = item;
                break;
            }
        }
    }
    if (module.DefaultCalendarFolder.IsNone()) {
        CalendarKeys::EndApplication(CustomisationText::kNoCalendarFolder);
        return;
    }
    const FolderItem file = module.DefaultCalendarFolder.ChildIgnoringCase("calSpc.Dat");
    if (file.IsNone() || !file.Exists()) {
        CalendarKeys::EndApplication(CustomisationText::kNoSpecificationFile);
        return;
    }
    auto stream = TextInputStream::Open(file);
    if (!stream) throw IOException("cannot read " + file.Path().string());
    module.CalendarPropertyValues = stream->ReadAll();
    stream->Close();
}
