#pragma once
// A fresh application object in a fresh temporary home for each test.
#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Picture.h"
#include "support/TestEnvironment.h"

#include <memory>

class AppTest : public IsolatedTest {
  protected:
    AppTest() {
        Customization() = CustomizationModule{};
        application = std::make_unique<app>();
        WriteEdition();
    }
    // The smallest calendar folder that loads: a background picture for either screen shape.
    void WriteEdition() const {
        const std::filesystem::path folder = environment.AppFolder() / "Edition";
        TestEnvironment::WriteFile(folder / "calspc.dat",
                                   "backgroundImageWide=background.png\n"
                                   "backgroundImageStandard=background.png\n");
        Picture(64, 48).Save(folder / "background.png");
    }
    std::filesystem::path PrefsFile() const { return environment.Config() / "QVCalendar.prefs"; }
    std::filesystem::path EventFile() const { return environment.Documents() / "Calendar.tpc"; }

    std::unique_ptr<app> application;
};
