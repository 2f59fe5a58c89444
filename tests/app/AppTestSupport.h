#pragma once
// A fresh application object in a fresh temporary home for each test.
#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include <memory>

class AppTest : public IsolatedTest {
  protected:
    AppTest() {
        Customization() = CustomizationModule{};
        application = std::make_unique<app>();
    }
    std::filesystem::path PrefsFile() const { return environment.Config() / "QVCalendar.prefs"; }
    std::filesystem::path EventFile() const { return environment.Documents() / "Calendar.tpc"; }
    // The application's run; one that goes on past the deadline of every wait fails the test.
    int Run() {
        return RunBeforeDeadline([this] { return application->Run(); });
    }

    std::unique_ptr<app> application;
};
