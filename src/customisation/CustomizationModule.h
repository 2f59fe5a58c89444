#pragma once
// The calendar properties of the edition in use, loaded from the calendar file of its
// calendar folder, and the operations that find, load and cycle them. One instance for the
// whole run (Customization()); every view reads the properties directly.
#include "platform/Color.h"
#include "platform/Date.h"
#include "platform/FolderItem.h"
#include "platform/Picture.h"

#include <array>
#include <string>
#include <variant>
#include <vector>

// What a calendar key gives: a colour for a colour key, else the value text.
using CalendarValue = std::variant<std::string, Color>;

struct CustomizationModule {
    // Texts.
    std::string applicationName;
    std::string vendorURL;
    std::string vendorName;
    std::string otherCopyright;
    std::string imageCycle; // "Seasonal" or "Monthly"; anything else shows the base picture
    std::string monthNamesFont;
    std::string homeButtonLink;
    std::string CalendarPropertyValues; // the whole calendar file
    std::string titleBarLink;           // nothing sets it
    std::string ZantriqueURL;           // nothing sets it

    // Flags.
    bool WideScreen = false; // available width / available height > 1.5 at the last load
    bool customAboutWindow = false;
    bool cycleImages = false;
    bool PreEmptiveCycling = false; // the toggle tab's preview stepping is on
    bool rightJustify = false;      // nothing sets it
    bool scrollImage = false;
    bool includeStriping = false;
    bool hideTime = false;
    bool hideYearScroll = false;
    bool yearOnRight = false;
    bool rightJustifyYear = false;
    bool leftJustifyYear = false;
    bool monthNamesBold = false;
    bool monthNamesLeftJ = false;
    bool monthNamesUppercase = false;
    bool monthNamesAbbreviated = false;
    bool hideMonthDividers = false;
    bool includeQVLogo = false;
    bool QVLogoRightJustify = false;
    bool displayImage_centered = false;
    bool displayImage_bottomJustify = false;
    bool bottomImage_keepWidth = false;
    bool hideTopBorder = false;
    bool hideBottomBorder = false;
    bool includeHomeButton = false;
    bool includeLinkButtons = false;
    bool includeDesktopFeature = false; // the desktop feature is switched off: nothing sets it

    // Whole numbers.
    int calendarStartYear = 0;
    int oneYearCalendarYear = 0;
    int yearImageStartYear = 0;
    int PreEmptiveCycleValue = 0; // the preview's offset from today's cycle picture

    // Shares of the main screen's available height, and margins of the year grid.
    double TitleAreaHeightPercent = 0.082;
    double CalendarAreaHeightPercent = 0.62;
    double topMargin_pct = 0;
    double leftMargin_pct = 0;
    double rightMargin_Pct = 0;

    // Colours.
    Color calendarBackgroundColor;
    Color tabColor;
    Color menuColor;
    Color timeTextColor;
    Color yearColor;
    Color monthNamesColor;
    Color dayHeaderColor;
    Color daysColor;
    Color QVlogoColor;
    Color glanceEventHeaderColor;
    Color glanceEventColor;
    Color homeTextColor;

    // Pictures; nullptr is none.
    PicturePtr backgroundImage; // the current background, composed by the picture cycle
    PicturePtr backgroundImageWide;
    PicturePtr backgroundImageStandard;
    PicturePtr backgroundImageDefaultWide;
    PicturePtr backgroundImageDefaultStandard;
    PicturePtr backgroundImage2Wide, backgroundImage3Wide, backgroundImage4Wide,
        backgroundImage5Wide, backgroundImage6Wide, backgroundImage7Wide, backgroundImage8Wide,
        backgroundImage9Wide, backgroundImage10Wide, backgroundImage11Wide, backgroundImage12Wide;
    PicturePtr backgroundImage2Standard, backgroundImage3Standard, backgroundImage4Standard,
        backgroundImage5Standard, backgroundImage6Standard, backgroundImage7Standard,
        backgroundImage8Standard, backgroundImage9Standard, backgroundImage10Standard,
        backgroundImage11Standard, backgroundImage12Standard;
    PicturePtr customAboutWindowImage;
    PicturePtr bottomImage;      // nothing sets it
    PicturePtr topLogoImage;     // nothing sets it
    PicturePtr topLogoImageMask; // nothing sets it

    FolderItem DefaultCalendarFolder; // the calendar folder in use

    // Elements 1 to 5 come from the calendar file.
    std::array<std::string, 11> floatingLink;
    std::array<std::string, 11> floatingLinkCoordinates; // "left,top,width,height"
    // The year digits 0 to 9 with their masks; empty before the first load.
    std::vector<PicturePtr> yearNumber;
    // Link entries: caption and URL. Nothing adds any.
    std::vector<std::array<std::string, 2>> calendarURLlinks;

    // Finds the calendar folder and loads its calendar file; shows a message and quits the
    // application when it cannot.
    static void CustomizeCalendar();
    // Sets DefaultCalendarFolder and CalendarPropertyValues, or ends the application.
    static void FindSpecs();
    // Turns CalendarPropertyValues into the calendar properties, in one pass.
    static void LoadSpecs();
    // The value of one key in a calendar file text.
    static CalendarValue ParseSpec(const std::string& text, const std::string& key);
    // 0 spring (03-20 to 06-20), 1 summer, 2 autumn (09-22 to 12-20), 3 winter.
    static int GetSeason(const Date& d);
    // Composes today's season or month picture into backgroundImage (and steps the preview).
    static void CycleImage();

  private:
    // The 32-bit picture of the base picture's size that compositions draw into.
    PicturePtr composition_;

    static bool LoadIdentityAndArtwork(const std::string& text);
    static bool LoadBackgroundPictures(const std::string& text);
    static void LoadLayoutAndLinks(const std::string& text);
    static void LoadFloatingLinks(const std::string& text);
    static void LoadYearDigits(const std::string& text);
    static PicturePtr& CyclePicture(int number, bool wide);
    static void Compose(int index);
    static void ComposeOver(const PicturePtr& base, const PicturePtr& over);
};

// The one set of calendar properties of this run.
CustomizationModule& Customization();
