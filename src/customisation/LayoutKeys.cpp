// The second half of the load: colours, the title band and calendar area, the year grid's
// margins and typography, the logo, the home button, then the floating links.
#include "customisation/CalendarKeys.h"
#include "customisation/CustomizationModule.h"

#include "platform/Exceptions.h"
#include "platform/Numbers.h"
#include "platform/Screen.h"

using namespace CalendarKeys;

namespace {
// The proportion keys give pixels of the background picture.
double BackgroundHeight() {
    const PicturePtr& background = Customization().backgroundImage;
    if (!background) throw NilObjectException("no background picture");
    return background->Height();
}
} // namespace

void CustomizationModule::LoadLayoutAndLinks(const std::string& calspc) {
    CustomizationModule& m = Customization();
    m.calendarBackgroundColor = ColorOf(calspc, "calendarBackgroundColor");
    m.tabColor = ColorOf(calspc, "tabColor");

    double title = m.WideScreen ? Number(calspc, "TitleAreaHeightWide") : 0;
    if (!m.WideScreen || title == 0) title = Number(calspc, "TitleAreaHeight");
    // Shares of the screen's height: whatever the file says, the band stays on the screen.
    m.TitleAreaHeightPercent = ClampToShare(title / BackgroundHeight());

    m.menuColor = ColorOf(calspc, "menuColor");
    m.hideTime = Flag(calspc, "hideTime");
    m.timeTextColor = ColorOf(calspc, "timeTextColor");
    m.hideYearScroll = Flag(calspc, "hideYearScroll");

    // Above 1 the value is pixels of the background picture, else already a share.
    double area = Number(calspc, m.WideScreen ? "CalendarAreaHeightPercentWide"
                                              : "CalendarAreaHeightPercentStandard");
    if (area > 1.0) area /= BackgroundHeight();
    m.CalendarAreaHeightPercent = ClampToShare(area);

    m.includeStriping = Flag(calspc, "includeStriping");
    m.topMargin_pct = ClampToShare(Number(calspc, "topMargin_pct"));
    m.leftMargin_pct = ClampToShare(Number(calspc, "leftMargin_pct"));
    m.rightMargin_Pct = ClampToShare(Number(calspc, "rightMargin_pct"));
    m.yearColor = ColorOf(calspc, "yearColor");
    m.yearOnRight = Flag(calspc, "yearOnRight");
    m.rightJustifyYear = Flag(calspc, "rightJustifyYear");
    m.leftJustifyYear = Flag(calspc, "leftJustifyYear");
    m.monthNamesColor = ColorOf(calspc, "monthNamesColor");
    m.monthNamesFont = Text(calspc, "monthNamesFont");
    m.monthNamesBold = Flag(calspc, "monthNamesBold");
    m.monthNamesLeftJ = Flag(calspc, "monthNamesLeftJ");
    m.monthNamesUppercase = Flag(calspc, "monthNamesUppercase");
    m.monthNamesAbbreviated = Flag(calspc, "monthNamesAbbreviated");
    m.hideMonthDividers = Flag(calspc, "monthDividersHidden");
    m.dayHeaderColor = ColorOf(calspc, "dayHeaderColor");
    m.daysColor = ColorOf(calspc, "daysColor");
    m.includeQVLogo = Flag(calspc, "includeQVLogo");
    m.QVlogoColor = ColorOf(calspc, "QVlogoColor");
    m.QVLogoRightJustify = Flag(calspc, "QVLogoRightJustify");
    m.glanceEventHeaderColor = ColorOf(calspc, "glanceEventHeaderColor");
    m.glanceEventColor = ColorOf(calspc, "glanceEventColor");
    m.displayImage_centered = Flag(calspc, "displayImage_centered");
    m.displayImage_bottomJustify = Flag(calspc, "displayImage_bottomJustify");
    m.bottomImage_keepWidth = Flag(calspc, "bottomImage_keepWidth");
    m.hideTopBorder = Flag(calspc, "hideTopBorder");
    m.hideBottomBorder = Flag(calspc, "hideBottomBorder");
    m.includeHomeButton = Flag(calspc, "includeHomeButton");
    m.homeButtonLink = Text(calspc, "homeButtonLink");
    m.homeTextColor = ColorOf(calspc, "homeTextColor");
    LoadFloatingLinks(calspc);
}

void CustomizationModule::LoadFloatingLinks(const std::string& calspc) {
    CustomizationModule& m = Customization();
    for (int n = 1; n <= 5; ++n)
        m.floatingLink[static_cast<size_t>(n)] = Text(calspc, "floatingLink" + std::to_string(n));
    // The link rectangles follow the full screen's shape, which may differ from WideScreen.
    const ScreenInfo screen = Screen(0);
    const bool wideFull = static_cast<double>(screen.Width) / screen.Height > 1.5;
    for (int n = 1; n <= 5; ++n)
        m.floatingLinkCoordinates[static_cast<size_t>(n)] =
            Text(calspc, "floatingLink" + std::to_string(n) + "Coordinates" +
                             (wideFull ? "Wide" : "Standard"));
    m.includeLinkButtons = Flag(calspc, "includeLinkButtons");
}
