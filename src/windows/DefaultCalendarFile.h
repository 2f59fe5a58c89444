#pragma once
// The default-calendar file caldef.dat beside the program: one line naming the calendar
// folder that later start-ups open, and the calendar folders it may name.
#include "platform/FolderItem.h"

#include <string>
#include <vector>

namespace DefaultCalendarFile {

// The folders of the application folder that hold a calendar file, in name order. Names that
// caldef.dat could not hold on its one line are left out.
std::vector<FolderItem> CalendarFolders();

// Whether folder holds a calendar file.
bool HoldsCalendar(const FolderItem& folder);

// Names folder in caldef.dat, replacing the file whole. Nothing is written when the folder
// holds no calendar file any more or the file cannot be written; the error then says why.
bool Write(const FolderItem& folder, std::string& error);

} // namespace DefaultCalendarFile
