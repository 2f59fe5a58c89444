// The user's few settings, kept as one line of ";"-separated fields.
#include "app/App.h"

#include "platform/FolderItem.h"
#include "platform/Log.h"
#include "platform/Numbers.h"
#include "platform/Text.h"
#include "platform/TextStream.h"

#include <filesystem>

void app::GetPrefs() {
    tabLeft = 0;
    showCoundownCalendar = false;
    installSysTray = true;
    StartTime = 8;
    EndTime = 20;

    const FolderItem item = SpecialFolder::Preferences().TrueChild(AppText::kPrefsFileName);
    if (!item) return;
    // Under the lock no other copy is writing the file.
    if (appMutex && appMutex->Held()) RemoveUnfinishedWrites(item);
    auto stream = TextInputStream::Open(item);
    // The start writes the defaults once the calendar's first frame is up (a quit before
    // writes them as ever): a first run need not wait for a synced file.
    if (!stream) {
        firstRun = true;
        return;
    }
    const std::string line = stream->ReadAll();
    stream->Close();

    const auto field = [&](int n) { return Val(NthField(line, ";", n)); };
    showCoundownCalendar = field(1) == 1;
    // A number beyond what an int holds (a hand-edited file) is kept at the nearest end.
    tabLeft = ClampToInt(field(2));
    installSysTray = field(3) == 1;
    displayCalendarOnDesktop = field(4) == 1;
}

void app::PutPrefs() const {
    const FolderItem folder = SpecialFolder::Preferences();
    if (!folder) return;
    std::error_code error;
    std::filesystem::create_directories(folder.Path(), error);
    const FolderItem item = folder.TrueChild(AppText::kPrefsFileName);
    auto stream = TextOutputStream::Create(item);
    if (!stream) {
        LogProblem("cannot write the preferences", item.Path());
        return;
    }
    const auto flag = [](bool value) { return value ? "1;" : "0;"; };
    stream->Write(flag(showCoundownCalendar));
    stream->Write(Str(static_cast<long long>(tabLeft)) + ";");
    stream->Write(flag(installSysTray));
    stream->Write(flag(displayCalendarOnDesktop));
    if (!stream->Close()) LogProblem("cannot write the preferences", item.Path());
}
