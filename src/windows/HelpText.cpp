// The words of the help pages. Paragraphs are written as lines here and joined with carriage
// returns, the line break the pages use.
#include "windows/HelpText.h"

#include <initializer_list>

namespace {
std::string Page(std::initializer_list<const char*> lines) {
    std::string page;
    for (const char* line : lines) {
        if (!page.empty()) page += '\r';
        page += line;
    }
    return page;
}
} // namespace

namespace HelpText {

const std::array<const char*, kTopicCount> kTopics = {
    "Introducing Lumaret Calendar", "The Main Calendar", "Using the Countdown Calendar",
    "Using week-at-a-glance",       "The To-do List",    "Calendar Symbols",
};

const std::array<std::string, kTopicCount> kPages = {
    Page({
        "Introduction to Lumaret Calendar",
        "",
        "Lumaret Calendar is an easy-to-use calendar that lives on your desktop. It offers the "
        "following features:",
        "",
        "Quick Access Calendar",
        "The calendar shows with one click on the quick access tab, which is always available at "
        "the top of the screen. The space bar does the same while the calendar or the tab has "
        "the keyboard.",
        "",
        "Three Year Calendar",
        "The calendar shows the current year together with the previous and the following year.",
        "",
        "Countdown Event",
        "An optional countdown to an important event and date is shown as a small countdown "
        "calendar on the main calendar, with the number of days until it.",
        "",
        "Week-at-a-glance Events",
        "Meetings, appointments, birthdays, conference calls and special events are kept in the "
        "week-at-a-glance window.",
        "",
        "To Do List",
        "A to-do list sits in the week-at-a-glance window, beside your week.",
        "",
        "Lumaret Calendar was designed to give you quick access to the information you need "
        "most.",
    }),
    Page({
        "Using the Main Calendar",
        "",
        "Main or 3 Year Calendar",
        "",
        "The main calendar displays when Lumaret Calendar application is opened, however once "
        "Lumaret Calendar has been started the calendar window can be hidden or quickly "
        "dispayed using the Quick Access Display Tab at the top of the computer screen.",
        "",
        "A click on the tab slides the calendar up and away; another click brings it back. The "
        "space bar does the same. Drag the tab along the top edge to move it out of your way; "
        "it stays where you leave it.",
        "",
        "The menus open with a right-click on the title band at the top of the calendar. Their "
        "shortcuts work whenever the calendar has the keyboard: Ctrl+W slides the calendar away, "
        "Ctrl+P prints it and Ctrl+Q quits Lumaret Calendar.",
        "",
        "The arrows at the side of the calendar, the mouse wheel, the up and down arrow keys and "
        "the Page Up and Page Down keys change the year shown.",
        "",
        "Where the pointer turns into a pointing hand over the picture, a click opens a web page "
        "in your browser. The last item of the Help menu visits the calendar's web site.",
    }),
    Page({
        "Using the Countdown Calendar",
        "",
        "The countdown calendar is used to show the number of days remaining for a specified "
        "event.",
        "",
        "To show it, right-click the title band at the top of the calendar and choose \"Show "
        "Countdown Event\" from the Edit menu. It appears as a small calendar at the top left of "
        "the main calendar, and you can drag it wherever you like; the same item, now reading "
        "\"Hide Countdown Event\", hides it again.",
        "",
        "Click the countdown calendar to open its input window, where you enter the title and "
        "the date of your event. The countdown then shows the days until the event, or the days "
        "since it once the date has passed.",
        "",
        "To have the countdown shown every time Lumaret Calendar starts, open Preferences from "
        "the Edit menu and tick \"Show countdown calendar at startup\".",
    }),
    Page({
        "Week-At-A-Glance",
        "",
        "Open the week-at-a-glance window by clicking on any date on the main calendar.",
        "",
        "The week of that date takes the place of the year: one column for each day, one row "
        "for each half hour, a row for notes that last all day and a row for holidays. A small "
        "calendar of the month sits beside the week. Above it, the left and right arrows page "
        "by week and the up and down arrows by month; the diamond shows the following month "
        "below it, and hides it again.",
        "",
        "Click the cell of a day and hour to create an event. The event edit window opens: type "
        "the event's title and choose how long it lasts, then save it.",
        "",
        "Click an event to open the same window again, to change the event or to delete it.",
        "",
        "The return arrow brings the year back. Your events are saved when you leave the week.",
    }),
    Page({
        "To-Do",
        "",
        "The to-do is located at the right of the week-at-a-glance window.",
        "",
        "Open the week-at-a-glance window with a click on any date of the main calendar.",
        "",
        "To add an item, click the empty area below the items, or the To Do List bar above them: "
        "a new line opens, type the item and press Return. Tick the box in front of an item once "
        "it is done; click an item that is already selected to change its text.",
        "",
        "Click the \"X\" of an item to delete it.",
    }),
    Page({
        "Lumaret Calendar Symbols",
        "",
        "The current date is noted with a red circle around the date.",
        "",
        "Dates with events or holidays are underlined; rest the pointer on one to see what is "
        "planned for that day.",
    }),
};

} // namespace HelpText
