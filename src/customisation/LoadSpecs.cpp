// The load of the calendar file: its one exception handler, and its first half: the screen
// shape, the edition's identity, the background and cycle pictures and the year digits.
#include "customisation/CalendarKeys.h"
#include "customisation/CustomisationText.h"
#include "customisation/CustomizationModule.h"

#include "platform/Graphics.h"
#include "platform/Log.h"
#include "platform/PictureFunctions.h"
#include "platform/Screen.h"

#include <exception>

using namespace CalendarKeys;

void CustomizationModule::LoadSpecs() {
    try {
        const std::string calspc = Customization().CalendarPropertyValues;
        if (LoadIdentityAndArtwork(calspc)) LoadLayoutAndLinks(calspc);
    } catch (const std::exception& error) {
        // The keys not reached keep what they held.
        LogProblem(std::string("cannot load the calendar file: ") + error.what(),
                   Customization().DefaultCalendarFolder.Path());
        EndApplication(CustomisationText::kFatalLoadError);
    }
}

PicturePtr& CustomizationModule::CyclePicture(int number, bool wide) {
    using Property = PicturePtr CustomizationModule::*;
    static constexpr Property kWide[] = {
        &CustomizationModule::backgroundImage2Wide,  &CustomizationModule::backgroundImage3Wide,
        &CustomizationModule::backgroundImage4Wide,  &CustomizationModule::backgroundImage5Wide,
        &CustomizationModule::backgroundImage6Wide,  &CustomizationModule::backgroundImage7Wide,
        &CustomizationModule::backgroundImage8Wide,  &CustomizationModule::backgroundImage9Wide,
        &CustomizationModule::backgroundImage10Wide, &CustomizationModule::backgroundImage11Wide,
        &CustomizationModule::backgroundImage12Wide};
    static constexpr Property kStandard[] = {&CustomizationModule::backgroundImage2Standard,
                                             &CustomizationModule::backgroundImage3Standard,
                                             &CustomizationModule::backgroundImage4Standard,
                                             &CustomizationModule::backgroundImage5Standard,
                                             &CustomizationModule::backgroundImage6Standard,
                                             &CustomizationModule::backgroundImage7Standard,
                                             &CustomizationModule::backgroundImage8Standard,
                                             &CustomizationModule::backgroundImage9Standard,
                                             &CustomizationModule::backgroundImage10Standard,
                                             &CustomizationModule::backgroundImage11Standard,
                                             &CustomizationModule::backgroundImage12Standard};
    return Customization().*(wide ? kWide : kStandard)[number - 2];
}

// Returns false when the application is ending and the load must stop.
bool CustomizationModule::LoadIdentityAndArtwork(const std::string& calspc) {
    CustomizationModule& m = Customization();
    const ScreenInfo screen = Screen(0);
    m.WideScreen = static_cast<double>(screen.AvailableWidth) / screen.AvailableHeight > 1.5;
    const Date loadDate;

    m.vendorName = Text(calspc, "vendorName");
    m.vendorURL = Text(calspc, "vendorURL");
    m.applicationName = Text(calspc, "applicationName");
    m.otherCopyright = Text(calspc, "otherCopyright");
    m.customAboutWindow = FlagByConversion(calspc, "customAboutWindow");
    PictureFile(calspc, "customAboutWindowImage", m.customAboutWindowImage);
    m.cycleImages = FlagByConversion(calspc, "cycleImages");
    m.imageCycle = Text(calspc, "imageCycle");
    m.oneYearCalendarYear = Integer(calspc, "oneYearCalendarYear");
    if (!LoadBackgroundPictures(calspc)) return false;
    m.scrollImage = Flag(calspc, "scrollImage");
    LoadYearDigits(calspc);
    m.calendarStartYear = Integer(calspc, "calendarStartYear");
    // A year the dates cannot carry three years on counts as none (the year before this one).
    if (m.calendarStartYear < 1904 || m.calendarStartYear > 9997) m.calendarStartYear = 0;
    if (m.calendarStartYear == 0) m.calendarStartYear = loadDate.Year() - 1;
    m.yearImageStartYear = Integer(calspc, "yearImageStartYear");
    return true;
}

// The base picture of the screen's shape, copied into the background, then the cycle's pictures
// and today's composition. Returns false when the application is ending.
bool CustomizationModule::LoadBackgroundPictures(const std::string& calspc) {
    CustomizationModule& m = Customization();
    // The background is shown at the screen's available height.
    const ScreenInfo screen = Screen(0);
    const std::string shape = m.WideScreen ? "Wide" : "Standard";
    PicturePtr& base = m.WideScreen ? m.backgroundImageWide : m.backgroundImageStandard;
    PictureFile(calspc, "backgroundImage" + shape, base);
    // With cycling, today's composition is drawn from the base once, below.
    if (base && !m.cycleImages)
        m.backgroundImage = m.composition_ =
            ComposeAtBottom(*base, nullptr, screen.AvailableHeight);
    if (m.cycleImages) {
        PictureFile(calspc, "backgroundImageDefault" + shape,
                    m.WideScreen ? m.backgroundImageDefaultWide : m.backgroundImageDefaultStandard);
        for (int number = 2; number <= 12; ++number)
            PictureFile(calspc, "backgroundImage" + std::to_string(number) + shape,
                        CyclePicture(number, m.WideScreen));
        CycleImage();
        if (ApplicationEnding()) return false;
        if (!m.backgroundImage && base)
            m.backgroundImage = m.composition_ =
                ComposeAtBottom(*base, nullptr, screen.AvailableHeight);
    }
    if (!m.backgroundImage) {
        EndApplication(CustomisationText::kNoBackground);
        return false;
    }
    return true;
}

// The digit strip holds 0 to 9 stacked, each a tenth of its height; the mask strip the same.
void CustomizationModule::LoadYearDigits(const std::string& calspc) {
    CustomizationModule& m = Customization();
    m.yearNumber.assign(10, nullptr);
    const std::string digitsName = Text(calspc, "yearNumbers");
    const std::string masksName = Text(calspc, "yearNumbers_Mask");
    const FolderItem digits = m.DefaultCalendarFolder.ChildIgnoringCase(digitsName);
    const FolderItem masks = m.DefaultCalendarFolder.ChildIgnoringCase(masksName);
    if (digits.IsNone() || !digits.Exists() || masks.IsNone() || !masks.Exists()) return;
    const PicturePtr strip = OpenArtwork(digits, digitsName, "yearNumbers");
    const PicturePtr maskStrip = OpenArtwork(masks, masksName, "yearNumbers_Mask");
    if (!strip || !maskStrip) return;
    std::vector<PicturePtr> digitPictures = SlicedPictures(*strip, *maskStrip, 10);
    if (digitPictures.size() == m.yearNumber.size()) m.yearNumber = std::move(digitPictures);
}
