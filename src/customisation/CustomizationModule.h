#pragma once
// The calendar properties of the edition in use, loaded from its specification file.
#include <string>

struct CustomizationModule {
    std::string applicationName;
    int calendarStartYear = 0;

    // Finds the calendar folder and loads its specification; shows a message and quits the
    // application when it cannot.
    static void CustomizeCalendar();
};

// The one set of calendar properties of this run.
CustomizationModule& Customization();
