// Season and month picture cycling: which picture is due today, and its composition into the
// background.
#include "customisation/CalendarKeys.h"
#include "customisation/CustomisationText.h"
#include "customisation/CustomizationModule.h"

#include "platform/Dialogs.h"
#include "platform/PictureFunctions.h"
#include "platform/Screen.h"
#include "platform/Text.h"

#include <exception>

using namespace CalendarKeys;

int CustomizationModule::GetSeason(const Date& d) {
    const std::string sql = d.SQLDate();
    const std::string monthDay = sql.substr(sql.size() - 5); // "MM-DD"
    if (monthDay > "03-19" && monthDay < "06-21") return 0;
    if (monthDay > "06-20" && monthDay < "09-22") return 1;
    if (monthDay > "09-21" && monthDay < "12-21") return 2;
    return 3;
}

namespace {
// Moves the preview one picture on from today's picture k, back to the first after the last;
// true when it went back.
bool StepPreview(CustomizationModule& m, int k, int last) {
    ++m.PreEmptiveCycleValue;
    if (k + m.PreEmptiveCycleValue <= last) return false;
    m.PreEmptiveCycleValue = -k;
    return true;
}
} // namespace

void CustomizationModule::CycleImage() {
    CustomizationModule& m = Customization();
    if (!m.cycleImages) return;
    const Date now;
    int k = 0;
    if (TextEquals(m.imageCycle, "Seasonal")) {
        k = GetSeason(now);
        if (m.PreEmptiveCycling) {
            StepPreview(m, k, 3);
            k += m.PreEmptiveCycleValue;
        }
    } else if (TextEquals(m.imageCycle, "Monthly")) {
        k = now.Month() - 1;
        if (m.PreEmptiveCycling) {
            // A one-year edition ends the preview after December.
            if (StepPreview(m, k, 11) && m.oneYearCalendarYear != 0) {
                m.PreEmptiveCycling = false;
                m.PreEmptiveCycleValue = -k - 1;
            }
            k += m.PreEmptiveCycleValue;
        }
        // Outside the edition's year its default picture stands in for the months.
        const PicturePtr& outsideYear =
            m.WideScreen ? m.backgroundImageDefaultWide : m.backgroundImageDefaultStandard;
        if (!m.PreEmptiveCycling && now.Year() != m.oneYearCalendarYear && outsideYear) {
            ComposeOver(m.WideScreen ? m.backgroundImageWide : m.backgroundImageStandard,
                        outsideYear);
            return;
        }
    }
    Compose(k);
}

// Index 0 is the base picture, 1 to 11 the cycle pictures 2 to 12; any other index leaves the
// background as it is.
void CustomizationModule::Compose(int index) {
    if (index < 0 || index > 11) return;
    CustomizationModule& m = Customization();
    const PicturePtr over = index == 0 ? nullptr : CyclePicture(index + 1, m.WideScreen);
    if (index > 0 && !over) {
        EndApplication(CustomisationText::kCyclePictureMissing);
        return;
    }
    ComposeOver(m.WideScreen ? m.backgroundImageWide : m.backgroundImageStandard, over);
}

// The background shows base with over (when given) drawn on it, bottom edges together; an over
// picture as tall as base or taller becomes the background itself.
void CustomizationModule::ComposeOver(const PicturePtr& base, const PicturePtr& over) {
    CustomizationModule& m = Customization();
    if (!base) {
        EndApplication(CustomisationText::kCyclePictureMissing);
        return;
    }
    try {
        if (over && over->Height() >= base->Height()) {
            m.backgroundImage = over;
            return;
        }
        // A new picture each time: a loaded picture is never drawn into.
        m.composition_ = ComposeAtBottom(*base, over.get(), Screen(0).AvailableHeight);
        m.backgroundImage = m.composition_;
    } catch (const std::exception&) {
        MsgBox(CustomisationText::kCycleFailed);
    }
}
