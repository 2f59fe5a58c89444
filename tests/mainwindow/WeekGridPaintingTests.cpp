// Pixels of week-grid cells: event boxes, the selected day, day notes and holidays; and the
// faces after the event and countdown editors close.
#include "mainwindow/WeekFaceFixture.h"

#include "editors/CountdownInputWindow.h"
#include "editors/GlanceInputWindow.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Simulate.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace {
constexpr Color kHeader = RGB(250, 0, 0);
constexpr Color kBody = RGB(0, 250, 0);
bool Dark(Color c) {
    return c.r < 80 && c.g < 80 && c.b < 80;
} // text, darker than any line
bool Blue(Color c) {
    return c.b > 120 && c.r < 60 && c.g < 60;
}

class WeekPaintTest : public WeekFaceTest {
  protected:
    WeekPaintTest() {
        Customization().glanceEventHeaderColor = kHeader;
        Customization().glanceEventColor = kBody;
    }
    // The pixels of one painted cell, row by row (on a surface rows cells tall).
    std::vector<Color> Paint(int row, int column, int rows = 1) {
        calList& grid = *Window().GlanceList;
        Picture cell(grid.ColumnWidth(column), rows * grid.RowHeight());
        Window().GlanceList_CellBackgroundPaint(cell.Graphics(), row, column);
        std::vector<Color> pixels;
        for (int y = 0; y < cell.Height(); ++y)
            for (int x = 0; x < cell.Width(); ++x)
                pixels.push_back(cell.Pixel(x, y));
        return pixels;
    }
    bool Any(int row, int column, bool (*test)(Color)) {
        const std::vector<Color> pixels = Paint(row, column);
        return std::any_of(pixels.begin(), pixels.end(), test);
    }
    bool Has(int row, int column, Color colour) {
        return std::ranges::count(Paint(row, column), colour) > 0;
    }
    // The pixels of control where shown differs from fresh.
    static int Differing(const RectControl& control, const Picture& shown, const Picture& fresh) {
        int count = 0;
        for (int y = control.Top(); y < control.Top() + control.Height(); ++y)
            for (int x = control.Left(); x < control.Left() + control.Width(); ++x)
                count += shown.Pixel(x, y) != fresh.Pixel(x, y);
        return count;
    }
};
} // namespace

TEST_F(WeekPaintTest, EventsAreBoxesInTheCalendarsColoursWithTheirTitleInTheFirstCell) {
    AddEntry("2026-03-02 09:00:00", "2026-03-02 10:30:00", "Long");  // Monday, rows 2 to 4
    AddEntry("2026-03-05 09:00:00", "2026-03-05 09:30:00", "Short"); // Thursday, row 2
    Window();
    EXPECT_TRUE(Has(2, 2, kHeader) && !Has(2, 2, kBody) && Any(2, 2, Dark));
    EXPECT_TRUE(Has(3, 2, kBody) && !Has(3, 2, kHeader) && !Any(3, 2, Dark));
    EXPECT_TRUE(Has(4, 2, kBody) && !Any(4, 2, Dark));
    EXPECT_TRUE(Has(2, 5, kHeader) && Any(2, 5, Dark));
    EXPECT_FALSE(Paint(0, 3)[0] == Paint(0, 4)[0]) << "Tuesday, the selected day, is shaded";
    application.eventDict.Clear();
    EXPECT_TRUE(Has(2, 5, kHeader)) << "a tag without its entry still paints its box";
    EXPECT_TRUE(Messages().empty());
}

// The two half hours of an hour share a shade; the next hour has the other.
TEST_F(WeekPaintTest, TheSlotsAreBandedHourByHour) {
    const int width = Window().GlanceList->ColumnWidth(4); // Wednesday, not selected
    const Color first = Paint(0, 4)[2 * width + 5];
    std::string bands;
    for (int row = 0; row < 6; ++row)
        bands += Paint(row, 4)[2 * width + 5] == first ? 'a' : 'b';
    EXPECT_EQ(bands, "aabbaa");
}

// Each text lies within its own row, however wide; the other bottom row shows no text.
TEST_F(WeekPaintTest, TheDayNoteIsPaintedInRow26AndTheHolidayInRow27) {
    AddEntry("2026-03-04 00:00:01", "2026-03-04 00:00:01", "Note");
    AddHoliday("2026-03-06", "Fair day");
    AddHoliday("2026-07-04", "Independence Day");
    // 32 characters, as long a title as the countdown editor takes.
    AddEntry("2026-12-23 00:00:00", "2026-12-23 00:00:00", "Christmas with the whole family!",
             "Countdown");
    const struct {
        const char* day; // selected, so that its week shows
        int row, column;
        bool (*ink)(Color);
    } cases[] = {{"2026-03-04", 26, 4, Blue},
                 {"2026-03-06", 27, 6, Dark},
                 {"2026-03-06", 27, 0, Dark},
                 {"2026-07-04", 27, 7, Dark},
                 {"2026-12-23", 27, 4, Dark}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.day) + " column " + std::to_string(c.column));
        Select(std::string(c.day) + " 12:00:00");
        const std::vector<Color> pixels = Paint(c.row, c.column, 2); // and what lies below it
        const auto below = pixels.begin() + static_cast<long>(pixels.size() / 2);
        EXPECT_TRUE(std::any_of(pixels.begin(), below, c.ink) &&
                    std::none_of(below, pixels.end(), c.ink));
        const int other = c.row == 26 ? 27 : 26;
        if (c.column > 0) {
            EXPECT_FALSE(Any(other, c.column, Dark) || Any(other, c.column, Blue));
        }
    }
}

// A title of megabytes (a large file read as the event file) shows its beginning from the
// cell's left edge, in an event's first cell and in the day note's row; a short one is centred.
TEST_F(WeekPaintTest, AHugeTitleShowsItsBeginningFromTheCellsLeftEdge) {
    // Blanks after the word: were the title centred on its width, the word would lie far left
    // of the cell.
    const std::string huge = "Dentist" + std::string(8u << 20, ' ');
    AddEntry("2026-03-02 09:00:00", "2026-03-02 10:30:00", huge);
    AddEntry("2026-03-05 09:00:00", "2026-03-05 09:30:00", "Dentist");
    AddEntry("2026-03-04 00:00:01", "2026-03-04 00:00:01", huge);
    Window();
    // The leftmost column of the cell where a pixel passes test.
    const auto firstInk = [&](int row, int column, bool (*test)(Color)) {
        const int width = Window().GlanceList->ColumnWidth(column);
        const std::vector<Color> pixels = Paint(row, column);
        int first = width;
        for (size_t i = 0; i < pixels.size(); ++i)
            if (test(pixels[i])) first = std::min(first, static_cast<int>(i) % width);
        return first;
    };
    EXPECT_LT(firstInk(2, 2, Dark), 4);
    EXPECT_LT(firstInk(2, 2, Dark), firstInk(2, 5, Dark));
    EXPECT_LT(firstInk(26, 4, Blue), 4);
    const int centred = firstInk(2, 5, Dark);
    EXPECT_GT(centred, 10);
    EXPECT_LT(centred, Window().GlanceList->ColumnWidth(5) / 2);
}

// After the editor closes, the screen shows of the week grid what a fresh load of the week
// shows: a renamed event's new title in its first cell, no shading left where the slider passed
// or the deleted event was, and the shading of the day that the click selected.
TEST_F(WeekPaintTest, AfterTheEditorClosesTheGridShowsWhatAFreshLoadOfTheWeekShows) {
    CalendarWindow& window = Window();
    calList& grid = *window.GlanceList;
    PicturePtr whileOpen; // the slider's case: the grid as the slider left it, editor still open
    const struct {
        const char* name;
        std::function<void(GlanceInputWindow&)> edit;
    } cases[] = {
        {"renamed",
         [](GlanceInputWindow& editor) {
             Simulate::Type(editor, "Renamed");
             Simulate::Key(editor, "Return");
         }},
        {"deleted", [](GlanceInputWindow& editor) { editor.DeleteButton->Push(); }},
        {"slider dragged, then closed",
         [&](GlanceInputWindow& editor) {
             Simulate::Slide(*editor.HalfHourSlider, 6);
             whileOpen = TestSeams::ScreenPicture(window);
             editor.Close();
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        application.eventDict.Clear();
        AddEntry("2026-03-05 12:00:00", "2026-03-05 14:00:00", "Two hours"); // Thursday
        Select("2026-03-03 12:00:00");
        window.ReloadCalLists();
        window.GlanceOn();
        ASSERT_TRUE(TestSeams::ScreenPicture(window)) << "the week as it first shows";
        TestSeams::WhenModal([&](::Window& editor) {
            TestSeams::ScreenPicture(window); // the grid repaints while the user reads the editor
            c.edit(dynamic_cast<GlanceInputWindow&>(editor));
        });
        // A middle cell of the event opens it.
        Simulate::Click(window, grid.Left() + grid.ColumnLeft(5) + 3,
                        grid.Top() + 10 * grid.RowHeight() + 2);
        ASSERT_EQ(FindOpenWindow<GlanceInputWindow>(), nullptr);
        const PicturePtr shown = TestSeams::ScreenPicture(window);
        window.ReloadCalLists();
        window.Invalidate();
        const PicturePtr fresh = TestSeams::ScreenPicture(window);
        EXPECT_EQ(Differing(grid, *shown, *fresh), 0);
        if (whileOpen) {
            EXPECT_EQ(Differing(grid, *std::exchange(whileOpen, nullptr), *fresh), 0);
        }
    }
}

// The countdown sits in its day's holiday row of the week and marks its day in the year grid.
// After the countdown editor closes, the face that is up shows what a fresh load shows, and the
// year grid's markers of the days left and reached (which the hover tip reads) are a fresh
// load's.
TEST_F(WeekPaintTest, AfterTheCountdownEditorClosesTheFaceShowsWhatAFreshLoadShows) {
    application.showCoundownCalendar = true;
    Customization().daysColor = RGB(255, 255, 255); // the year's days and marks, seen on black
    CalendarWindow& window = Window();
    TestSeams::ScreenPicture(window);
    DoEvents(); // the week face prepared after the first frame, not while the editor is open
    const struct {
        const char* name;
        Date from; // the countdown's day before
        int day;   // the day of March 2026 chosen in the editor
        const char* title;
    } cases[] = {
        {"moved into the shown week", Date(2026, 12, 25), 5, "Party"},
        {"moved out of the shown week", Date(2026, 3, 5), 20, "Party"},
        {"renamed within the shown week", Date(2026, 3, 5), 5, "Eve"},
    };
    for (const bool week : {true, false}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.name) + (week ? ", week face" : ", year face"));
            application.eventDict.Clear();
            application.countdownDate = c.from;
            const std::string from = c.from.SQLDateTime();
            application.eventDict.Value(from, from + "//Party//Countdown");
            Select("2026-03-03 12:00:00");
            window.Calendar_Open();
            window.ReloadCalLists();
            week ? window.GlanceOn() : window.GlanceOff();
            ASSERT_TRUE(TestSeams::ScreenPicture(window)) << "the face as it first shows";
            TestSeams::WhenModal([&](::Window& shown) {
                auto& editor = dynamic_cast<CountdownInputWindow&>(shown);
                editor.Month->SetListIndex(2);
                editor.Day->SetListIndex(c.day - 1);
                editor.Year->SetListIndex(1);
                editor.titleField->SetText(c.title);
                editor.Close();
            });
            Simulate::Click(window, 135 + 50, 15 + 70); // the badge
            const Date to(2026, 3, c.day);
            ASSERT_EQ(application.countdownDate.SQLDateTime(), to.SQLDateTime());
            FinishSaving(window);
            const PicturePtr shown = TestSeams::ScreenPicture(window);
            const std::string tags = Tag(window, c.from) + " " + Tag(window, to);
            window.Calendar_Open();
            window.ReloadCalLists();
            window.Invalidate();
            const PicturePtr fresh = TestSeams::ScreenPicture(window);
            const RectControl& face = week ? static_cast<RectControl&>(*window.GlanceList)
                                           : static_cast<RectControl&>(*window.Calendar);
            EXPECT_EQ(Differing(face, *shown, *fresh), 0);
            EXPECT_EQ(tags, Tag(window, c.from) + " " + Tag(window, to));
        }
    }
}
