// The whole start-up of an edition: its calendar file loaded with the pictures of its folder,
// then the main window built on it. The folder holds sound pictures and hostile ones (one that
// claims 10239 x 65535 pixels, one 4000 x 1) for the calendar file to name.
#include "FuzzSupport.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Application.h"
#include "platform/Picture.h"
#include "platform/Screen.h"
#include "platform/Window.h"

namespace {
std::filesystem::path Edition() {
    static const std::filesystem::path folder = [] {
        const auto made = Fuzz::AppFolder() / "Fuzzed";
        std::filesystem::create_directories(made);
        Picture(480, 300).Save(made / "wide.png");
        Picture(400, 320).Save(made / "standard.png");
        Picture(4000, 1).Save(made / "thin.png");
        Picture(10, 200).Save(made / "digits.png");
        const char huge[] = "GIF89a\xff\x27\xff\xff\x00\x00\x00,\x00\x00\x00\x00\xff\x27\xff\xff"
                            "\x00;";
        Fuzz::WriteFile(made / "huge.gif", std::string(huge, sizeof huge - 1));
        Fuzz::WriteFile(Fuzz::AppFolder() / "caldef.dat", "Fuzzed\n");
        SetScreenForTesting(ScreenInfo{0, 0, 1440, 900, 0, 24, 1440, 876});
        return made;
    }();
    return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Fuzz::Home();
    Fuzz::WriteFile(Edition() / "calspc.dat", Fuzz::Text(data, size));
    {
        app application;
        Customization() = CustomizationModule{};
        CustomizationModule::CustomizeCalendar();
        if (!application.QuitRequested()) {
            CalendarWindow& window = CalendarWindow::Instance();
            window.Close();
        }
        for (Window* window : OpenWindows())
            window->Close();
        DoEvents();
    }
    Customization() = CustomizationModule{};
    return 0;
}
