// The clock in the title band and the day roll-over.
#include "mainwindow/frame/Clock.h"

#include "mainwindow/frame/CalendarWindow.h"

#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "platform/Date.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "windows/AppTrayItem.h"

int MillisecondsToNextMinute(const Date& now) {
    // The clock counts whole seconds, so this is never short of the minute's start.
    return (60 - now.Second()) * 1000;
}

void CalendarWindow::theTimeText_Open() {
    const CustomizationModule& module = Customization();
    if (module.hideTime) theTimeText->SetVisible(false);
    theTimeText->SetParent(nullptr);
    // The clock's bottom edge sits two pixels above the bottom of the title band.
    const double titleBottom = Screen(0).AvailableHeight * module.TitleAreaHeightPercent;
    theTimeText->SetTop(static_cast<int>(titleBottom - theTimeText->Height() - 2.0));
    theTimeText->SetTextColor(module.timeTextColor);
    // The time now: a main window opened later in the run (after a change of calendar) must
    // not show the time the program started.
    theTimeText->SetText(Date().ShortTime());
}

void CalendarWindow::TimeTimer_Action() {
    const Date now;
    TimeTimer->SetPeriod(MillisecondsToNextMinute(now));
    theTimeText->SetText(now.ShortTime());
    app& application = App();
    if (application.currentDate.ShortDate() == now.ShortDate()) return;

    CustomizationModule& module = Customization();
    if (module.cycleImages) {
        if (TextEquals(module.imageCycle, "Seasonal")) {
            if (CustomizationModule::GetSeason(application.currentDate) !=
                CustomizationModule::GetSeason(now))
                CustomizationModule::CycleImage();
        } else if (TextEquals(module.imageCycle, "Monthly") &&
                   application.currentDate.Month() != now.Month()) {
            CustomizationModule::CycleImage();
        }
        LoadBackgroundImage();
        Refresh(true);
    }
    application.currentDate = Date();
    Calendar->Refresh(true);
    CountdownCanvas->updateCountdown();
    if (application.mAppTrayItem) application.mAppTrayItem->UpdateIcon();
    // The badge is drawn from its cached picture, so it shows the new count only once it is
    // painted again.
    CountdownCanvas->Refresh(true);
}
