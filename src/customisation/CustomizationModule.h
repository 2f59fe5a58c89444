#pragma once
// The calendar properties of the edition in use, loaded from its specification file.
#include "platform/Color.h"
#include "platform/Date.h"
#include "platform/Picture.h"

#include <array>
#include <string>

struct CustomizationModule {
    std::string applicationName;
    int calendarStartYear = 0;
    std::string vendorName;
    std::string vendorURL;
    Color calendarBackgroundColor;
    double TitleAreaHeightPercent = 0.082;
    double CalendarAreaHeightPercent = 0.62;
    bool hideTopBorder = false;
    bool hideBottomBorder = false;
    bool hideTime = false;
    Color timeTextColor;
    bool cycleImages = false;
    std::string imageCycle;
    PicturePtr backgroundImage;
    std::array<PicturePtr, 10> yearNumber{};

    // Finds the calendar folder and loads its specification; shows a message and quits the
    // application when it cannot.
    static void CustomizeCalendar();
    static int GetSeason(const Date& date);
    static void CycleImage();
};

// The one set of calendar properties of this run.
CustomizationModule& Customization();

PicturePtr menubutton();
PicturePtr menutoggle();
