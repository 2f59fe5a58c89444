#pragma once
// A fresh application object in a fresh temporary home for each test.
#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "support/TestEnvironment.h"

#include <memory>

class AppTest : public IsolatedTest {
  protected:
    AppTest() {
        Customization() = CustomizationModule{};
        application = std::make_unique<app>();
    }
    std::filesystem::path PrefsFile() const { return environment.Config() / "QVCalendar.prefs"; }
    std::filesystem::path EventFile() const { return environment.Documents() / "Calendar.tpc"; }

    std::unique_ptr<app> application;
};
