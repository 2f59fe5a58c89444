// The second half of the load: colours, the title band and calendar area, the year grid's
// margins and typography, the logo, the home button and the floating links.
#include "customisation/CustomizationModule.h"
#include "customisation/SpecValues.h"

#include "platform/Exceptions.h"
#include "platform/Screen.h"

using namespace SpecValues;

namespace {
// The proportion keys give pixels of the background picture.
double BackgroundHeight() {
    const PicturePtr& background = Customization().backgroundImage;
    if (!background) throw NilObjectException("no background picture");
    return background->Height();
}
} // namespace

void CustomizationModule::LoadLayoutAndLinks(const std::string& spec) {
    CustomizationModule& m = Customization();
    m.calendarBackgroundColor = ColorOf(spec, "calendarBackgroundColor");
    m.tabColor = ColorOf(spec, "tabColor");

    double title = m.WideScreen ? Number(spec, "TitleAreaHeightWide") : 0;
    if (!m.WideScreen || title == 0) title = Number(spec, "TitleAreaHeight");
    m.TitleAreaHeightPercent = title;
    m.TitleAreaHeightPercent = title / BackgroundHeight();

    m.menuColor = ColorOf(spec, "menuColor");
    m.hideTime = Flag(spec, "hideTime");
    m.timeTextColor = ColorOf(spec, "timeTextColor");
    m.hideYearScroll = Flag(spec, "hideYearScroll");

    // Above 1 the value is pixels of the background picture, else already a share.
    double area = Number(spec, m.WideScreen ? "CalendarAreaHeightPercentWide"
                                            : "CalendarAreaHeightPercentStandard");
    if (area > 1.0) area /= BackgroundHeight();
    m.CalendarAreaHeightPercent = area;

    m.includeStriping = Flag(spec, "includeStriping");
    m.topMargin_pct = Number(spec, "topMargin_pct");
    m.leftMargin_pct = Number(spec, "leftMargin_pct");
    m.rightMargin_Pct = Number(spec, "rightMargin_pct");
    m.yearColor = ColorOf(spec, "yearColor");
    m.yearOnRight = Flag(spec, "yearOnRight");
    m.rightJustifyYear = Flag(spec, "rightJustifyYear");
    m.leftJustifyYear = Flag(spec, "leftJustifyYear");
    m.monthNamesColor = ColorOf(spec, "monthNamesColor");
    m.monthNamesFont = Text(spec, "monthNamesFont");
    m.monthNamesBold = Flag(spec, "monthNamesBold");
    m.monthNamesLeftJ = Flag(spec, "monthNamesLeftJ");
    m.monthNamesUppercase = Flag(spec, "monthNamesUppercase");
    m.monthNamesAbbreviated = Flag(spec, "monthNamesAbbreviated");
    m.hideMonthDividers = Flag(spec, "monthDividersHidden");
    m.dayHeaderColor = ColorOf(spec, "dayHeaderColor");
    m.daysColor = ColorOf(spec, "daysColor");
    m.includeQVLogo = Flag(spec, "includeQVLogo");
    m.QVlogoColor = ColorOf(spec, "QVlogoColor");
    m.QVLogoRightJustify = Flag(spec, "QVLogoRightJustify");
    m.glanceEventHeaderColor = ColorOf(spec, "glanceEventHeaderColor");
    m.glanceEventColor = ColorOf(spec, "glanceEventColor");
    m.displayImage_centered = Flag(spec, "displayImage_centered");
    m.displayImage_bottomJustify = Flag(spec, "displayImage_bottomJustify");
    m.bottomImage_keepWidth = Flag(spec, "bottomImage_keepWidth");
    m.hideTopBorder = Flag(spec, "hideTopBorder");
    m.hideBottomBorder = Flag(spec, "hideBottomBorder");
    m.includeHomeButton = Flag(spec, "includeHomeButton");
    m.homeButtonLink = Text(spec, "homeButtonLink");
    m.homeTextColor = ColorOf(spec, "homeTextColor");

    for (int n = 1; n <= 5; ++n)
        m.floatingLink[static_cast<size_t>(n)] = Text(spec, "floatingLink" + std::to_string(n));
    // The link rectangles follow the full screen's shape, which may differ from WideScreen.
    const ScreenInfo screen = Screen(0);
    const bool wideFull = static_cast<double>(screen.Width) / screen.Height > 1.5;
    for (int n = 1; n <= 5; ++n)
        m.floatingLinkCoordinates[static_cast<size_t>(n)] =
            Text(spec, "floatingLink" + std::to_string(n) + "Coordinates" +
                           (wideFull ? "Wide" : "Standard"));
    m.includeLinkButtons = Flag(spec, "includeLinkButtons");
}
