// What the countdown editor accepts and what it stores: the title's key filter keeps the title
// within the badge, and closing the window moves or retitles the countdown entry.
#include "editors/CountdownInputWindow.h"

#include "app/App.h"
#include "app/EventText.h"
#include "controls/CountdownText.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/frame/CalendarWindow.h"
#include "platform/Beep.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Text.h"

#include <algorithm>
#include <iostream>

namespace {
double TitleWidth(const std::string& text, int size) {
    Picture scratch(1, 1);
    Graphics& g = scratch.Graphics();
    g.TextFont = "Arial";
    g.TextSize = size;
    return g.StringWidth(text);
}

// Whether the title would still fit on the badge with the key typed at its end: one word at
// size 11, or a first word and the rest after it at size 12. Keys are judged before they are
// typed, so a text with a blank is measured as it stands: the key that takes a line past the
// limit still goes in, and the next one is refused.
bool Fits(const std::string& text, const std::string& key) {
    const std::string typed = text + key;
    if (typed.find(' ') == std::string::npos) return TitleWidth(typed, 11) <= kBadgeTitleWidth;
    const TitleLines lines = SplitTitle(text);
    return TitleWidth(lines.first, 12) <= kBadgeTitleWidth &&
           TitleWidth(lines.second, 12) <= kBadgeTitleWidth;
}

// The chosen row's value, or fallback when no row is chosen.
int Chosen(const PopupMenu& popup, int valueOfFirstRow, int fallback) {
    return popup.ListIndex() < 0 ? fallback : valueOfFirstRow + popup.ListIndex();
}
} // namespace

bool CountdownInputWindow::titleField_KeyDown(const std::string& key) {
    if (!key.empty() && key[0] == '\b') return false;
    if (Fits(titleField->Text(), key)) return false;
    Beep();
    std::cerr << "Countdown title: the key is refused, the title would not fit on the badge\n";
    return true;
}

void CountdownInputWindow::Event_Close() {
    app& application = App();
    const Date shown = ShownDate();
    const int year = Chosen(*Year, Customization().calendarStartYear, shown.Year());
    const int month = Chosen(*Month, 1, shown.Month());
    const int chosenDay = Chosen(*Day, 1, shown.Day());
    // The day list is not refilled for the chosen month, so 31 may come with April.
    const int day = std::min(chosenDay, Date::DaysInMonth(year, month));
    if (day != chosenDay)
        std::cerr << "Countdown date: day " << chosenDay << " is past the end of the month; day "
                  << day << " is stored\n";

    const std::string key = Date(year, month, day).SQLDateTime();
    const std::string typed = titleField->Text();
    const std::string title = CleanEventTitle(typed);
    if (title != typed)
        std::cerr << "Countdown title: stored as \"" << title
                  << "\", without line breaks, | or repeated /\n";
    const std::string value = key + "//" + title + "//Countdown";

    Dictionary& store = application.eventDict;
    const Date before = application.countdownDate;
    const std::string oldKey = before.SQLDateTime();
    bool changed = true;
    if (!store.HasKey(oldKey)) {
        application.countdownDate.SetSQLDateTime(key);
        store.Value(key, value);
    } else if (key != oldKey) {
        // Moving off a holiday's date removes that holiday until the next start.
        store.Remove(oldKey);
        application.countdownDate.SetSQLDateTime(key);
        store.Value(key, value);
    } else if (title != NthField(store.Value(key), "//", 2)) {
        store.Value(key, value);
    } else {
        changed = false;
    }

    // Nothing to redraw once the main window has closed (the program is quitting).
    if (CalendarWindow* calendar = FindOpenWindow<CalendarWindow>()) {
        // The year grid's markers are built once, so the days left and reached are marked
        // again before the window repaints.
        if (changed) {
            calendar->RemarkDay(before);
            calendar->RemarkDay(application.countdownDate);
        }
        calendar->CountdownCanvas->updateCountdown();
        calendar->Refresh(true);
    }
}
