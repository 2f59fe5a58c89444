#pragma once
// A fresh set of calendar properties, a screen of the test's choosing and calendar folders
// built in the temporary application folder.
#include "customisation/CustomizationModule.h"

#include "platform/Application.h"
#include "platform/Screen.h"
#include "platform/TestSeams.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <filesystem>
#include <string>
#include <vector>

class CustomisationTest : public IsolatedTest {
  protected:
    Application application; // receives the quit of a failed load

    CustomisationTest() {
        Customization() = CustomizationModule{};
        SetScreen(1920, 1200);
    }
    ~CustomisationTest() override {
        SetScreenForTesting(std::nullopt);
        Customization() = CustomizationModule{};
    }

    // The main screen: its available area, and its full size (the available size when 0).
    static void SetScreen(int availableWidth, int availableHeight, int width = 0, int height = 0) {
        SetScreenForTesting(ScreenInfo{0, 0, width ? width : availableWidth,
                                       height ? height : availableHeight, 0, 0, availableWidth,
                                       availableHeight});
    }

    // The clock reads noon of that day.
    static void FixDate(int year, int month, int day) {
        Date::FixClock(Date(year, month, day, 12).TotalSeconds());
    }

    static void WritePicture(const std::filesystem::path& path, int width, int height,
                             Color colour) {
        ASSERT_TRUE(FilledPicture(width, height, colour)->Save(path)) << path;
    }

    std::filesystem::path Folder(const std::string& name) const {
        return environment.AppFolder() / name;
    }

    // A calendar folder holding calspc.dat with calspc, named by caldef.dat.
    std::filesystem::path WriteEdition(const std::string& calspc,
                                       const std::string& name = "Edition") {
        TestEnvironment::WriteFile(Folder(name) / "calspc.dat", calspc);
        TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", name + "\n");
        return Folder(name);
    }

    bool Quit() const { return application.QuitRequested(); }
};
