#include "windows/DefaultCalendarFile.h"

#include "platform/TextStream.h"

namespace {
bool FitsOnOneLine(const std::string& name) {
    return name.find_first_of("\r\n") == std::string::npos;
}
} // namespace

namespace DefaultCalendarFile {

bool HoldsCalendar(const FolderItem& folder) {
    return folder.Directory() && folder.ChildIgnoringCase("calspc.dat").Exists();
}

std::vector<FolderItem> CalendarFolders() {
    std::vector<FolderItem> folders;
    const FolderItem application = SpecialFolder::ApplicationFolder();
    if (!application) return folders;
    for (int i = 1, count = application.Count(); i <= count; ++i) {
        const FolderItem item = application.Item(i);
        if (HoldsCalendar(item) && FitsOnOneLine(item.Name())) folders.push_back(item);
    }
    return folders;
}

bool Write(const FolderItem& folder, std::string& error) {
    const FolderItem file = SpecialFolder::ApplicationFolder().Child("caldef.dat");
    if (!HoldsCalendar(folder)) {
        error = folder.Path().string() + " holds no calendar file any more";
        return false;
    }
    auto stream = TextOutputStream::Create(file);
    if (stream) {
        stream->WriteLine(folder.Name());
        if (stream->Close()) return true;
    }
    error = "cannot write " + file.Path().string();
    return false;
}

} // namespace DefaultCalendarFile
