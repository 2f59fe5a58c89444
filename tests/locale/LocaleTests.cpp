// Under every locale a user may run the calendar in, its own files read and write as under C:
// an edition's layout keys, the week header's column widths, the preferences and the event file.
// The locales are the tests' own (tools/build-locales.sh), reached through LOCPATH.
#include "app/App.h"
#include "customisation/CustomizationModule.h"
#include "mainwindow/glance/EventFileFormat.h"
#include "platform/Application.h"
#include "platform/ListBox.h"
#include "platform/Screen.h"
#include "platform/Text.h"
#include "support/TestEnvironment.h"

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Switches the C library's locale (as the toolkit does at start from the environment) for the
// scope, and back to the one before.
class LocaleScope {
  public:
    explicit LocaleScope(const std::string& name) : before_(std::setlocale(LC_ALL, nullptr)) {
        switched_ = std::setlocale(LC_ALL, name.c_str()) != nullptr;
    }
    ~LocaleScope() { std::setlocale(LC_ALL, before_.c_str()); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;
    bool Switched() const { return switched_; }

  private:
    std::string before_;
    bool switched_ = false;
};

class UnderLocale : public IsolatedTest, public testing::WithParamInterface<const char*> {
  protected:
    static void SetUpTestSuite() { setenv("LOCPATH", CALENDAR_LOCALE_DIR, 1); }

    ~UnderLocale() override {
        SetScreenForTesting(std::nullopt);
        Customization() = CustomizationModule{};
    }

    // What the calendar reads and writes, as text; C++ streams keep the classic locale.
    std::string Reading() {
        std::ostringstream out;
        out.precision(17);
        ReadEdition(out);
        const std::string widths =
            "60" + ReplaceAll(std::string(7, ','), ",", "," + Str(1212 / 7.0));
        out << "week header " << widths << ":";
        for (const int width : ResolveColumnWidths(widths + ",25,25,68,25,25", 13, 1440))
            out << " " << width;
        out << "\nnumbers " << Str(0.5) << " " << Str(-2.25e-9) << " " << Val(" 0.62;") << " "
            << Val("1,5") << "\n";
        ReadAndWritePreferences(out);
        ReadAndWriteEvents(out);
        return out.str();
    }

  private:
    Application application; // receives the quit of a failed load

    // The sample edition the build puts beside the program, on a wide and a 4:3 screen.
    void ReadEdition(std::ostream& out) {
        const char* edition = "Four Seasons";
        if (!fs::exists(environment.AppFolder() / edition))
            fs::create_directory_symlink(fs::path(CALENDAR_BIN_DIR) / edition,
                                         environment.AppFolder() / edition);
        TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", edition);
        for (const auto& [width, height] : {std::pair{1440, 900}, {1024, 768}}) {
            SetScreenForTesting(ScreenInfo{0, 0, width, height, 0, 0, width, height});
            Customization() = CustomizationModule{};
            CustomizationModule::CustomizeCalendar();
            const CustomizationModule& m = Customization();
            out << width << "x" << height << ": title " << m.TitleAreaHeightPercent << " area "
                << m.CalendarAreaHeightPercent << " margins " << m.topMargin_pct << " "
                << m.leftMargin_pct << " " << m.rightMargin_Pct << " year " << m.calendarStartYear
                << " colours " << m.daysColor.r << "," << m.daysColor.g << "," << m.daysColor.b
                << " links";
            for (const std::string& link : m.floatingLinkCoordinates)
                out << " " << link;
            out << " month " << (m.monthNamesUppercase ? Uppercase("April") : "?") << "\n";
        }
    }

    void ReadAndWritePreferences(std::ostream& out) {
        app written;
        written.GetPrefs();
        written.tabLeft = 1234;
        written.installSysTray = false;
        written.PutPrefs();
        app read;
        read.GetPrefs();
        out << "preferences "
            << TestEnvironment::ReadFile(environment.Config() / "QVCalendar.prefs") << " read "
            << read.tabLeft << " " << read.installSysTray << "\n";
    }

    void ReadAndWriteEvents(std::ostream& out) {
        const FolderItem file(environment.Documents() / "Calendar.tpc");
        const std::vector<TodoItem> todo = {{true, "Straße İstanbul"}, {false, "1,5 l milk"}};
        const std::vector<Dictionary::Entry> events = {
            {"2026-03-05 09:00:00", "2026-03-05 10:30:00//Dentist 0.5 h"},
            {"2026-12-24 18:00:00", "2026-12-24 18:00:00//Trip//Countdown"}};
        ASSERT_TRUE(EventFileFormat::Write(file, todo, events));
        const EventFileLines read = ReadEventFile(file);
        out << "events " << TestEnvironment::ReadFile(file.Path()) << " read";
        for (const TodoItem& item : read.todo)
            out << " " << item.done << item.text;
        for (const auto& [key, value] : read.entries)
            out << " " << key << "=" << value;
        out << " countdown " << read.countdown << "\n";
    }
};

// Each row gives what C gives.
TEST_P(UnderLocale, TheCalendarsFilesReadAndWriteAsUnderC) {
    const std::string name = GetParam();
    if (!fs::exists(fs::path(CALENDAR_LOCALE_DIR) / name / "LC_CTYPE")) {
        const fs::path missing = fs::path(CALENDAR_LOCALE_DIR) / (name + ".missing");
        GTEST_SKIP() << name << " was not built"
                     << (fs::exists(missing) ? ": " + TestEnvironment::ReadFile(missing)
                                             : " (the locales fixture did not run)");
    }
    std::string underC;
    {
        const LocaleScope c("C");
        underC = Reading();
    }
    const LocaleScope locale(name);
    ASSERT_TRUE(locale.Switched()) << name << " is built but cannot be used";
    EXPECT_EQ(Reading(), underC);
    EXPECT_TRUE(Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Locales, UnderLocale,
                         testing::Values("C.UTF-8", "de_DE.UTF-8", "fr_FR.UTF-8", "ru_RU.UTF-8",
                                         "tr_TR.UTF-8"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!IsAsciiLetterOrDigit(c)) c = '_';
                             return name;
                         });

} // namespace
