#pragma once
// The main window with the week face's controls, a grid of the years 2025 to 2027 and the
// week grid's hours 8 to 20, on a 1440 x 900 screen, with today Tuesday 3 March 2026.
#include "mainwindow/YearGridFixture.h"

#include "controls/WeekGrid.h"
#include "platform/TestSeams.h"

#include <filesystem>
#include <vector>

class WeekFaceTest : public YearGridTest {
  protected:
    WeekFaceTest() {
        Customization().calendarStartYear = 2025;
        application.StartTime = 8;
        application.EndTime = 20;
        FixToday(Date(2026, 3, 3, 12, 0));
    }

    CalendarWindow& Window() { return CalendarWindow::Instance(); }
    void Select(const std::string& sqlDateTime) {
        application.selectedDate.SetSQLDateTime(sqlDateTime);
    }
    // Saves an event through the week grid as the editor does.
    void Save(const std::string& start, const std::string& end, const std::string& title) {
        Select(start);
        Date last;
        last.SetSQLDateTime(end);
        Window().GlanceList->AddEvent(last, title);
    }
    // The position codes of a week-grid column from row first to row last ("-" for none);
    // "?" when a tag does not name start.
    std::string Codes(int column, int first, int last, const std::string& start = "") {
        std::string codes;
        for (int row = first; row <= last; ++row) {
            const std::string tag = Window().GlanceList->CellTag(row, column);
            if (!start.empty() && !tag.empty() && WeekGrid::TagStart(tag) != start) return "?";
            codes += tag.empty() ? "-" : WeekGrid::TagKind(tag);
        }
        return codes;
    }
    // A Documents folder afresh, holding only an event file of text, read as at a start.
    void StartFromEventFile(const std::string& text) {
        std::filesystem::remove_all(environment.Documents());
        TestEnvironment::WriteFile(environment.Documents() / "Calendar.tpc", text);
        application.eventDict = Dictionary();
        application.LoadUserEvents();
    }
    std::string EventFile() const {
        return TestEnvironment::ReadFile(environment.Documents() / "Calendar.tpc");
    }
};
