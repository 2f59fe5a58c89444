#include "CustomisationFixture.h"

#include "customisation/CustomisationText.h"

#include "platform/Exceptions.h"

namespace fs = std::filesystem;

namespace {
class CalendarFolderTest : public CustomisationTest {
  protected:
    void MakeCalendar(const std::string& name, const std::string& calspc = "vendorName=V\n") {
        TestEnvironment::WriteFile(Folder(name) / "calspc.dat", calspc);
    }
    std::string Chosen() const { return Customization().DefaultCalendarFolder.Name(); }
};
} // namespace

// Which folder is chosen from the application folder's items, and what is read from it; or the
// message that ends the program.
TEST_F(CalendarFolderTest, TheChosenFolderAndItsFileOrTheMessageThatEndsTheProgram) {
    const std::string noFile = CustomisationText::kNoSpecificationFile;
    const struct {
        std::string chosen, read, message;
        std::vector<std::pair<std::string, std::string>> items; // a name ending in / is a folder
    } cases[] = {
        // clang-format off
        // caldef.dat's first line names the folder; the file is read whole.
        {"Coastal", "C\r\n", "", {{"Alpine/calspc.dat", "A"}, {"Coastal/calspc.dat", "C\r\n"},
                                       {"caldef.dat", "Coastal\r\nAlpine\r\n"}}},
        // Without it: the first folder, in name order, that holds a calendar file.
        {"C first", "C", "", {{"A plain file", "x"}, {"B empty/", ""}, {"D second/calspc.dat", "D"},
                              {"C first/calspc.dat", "C"}}},
        // Names inside the folders ignore letter case.
        {"Upper", "U", "", {{"Upper/CALSPC.DAT", "U"}, {"CalDef.dat", "upper\n"}}},
        // An empty line names the application folder itself.
        {"Scanned", "S", "", {{"caldef.dat", "\n"}, {"Scanned/calspc.dat", "S"}}},
        {"app", "H", "", {{"caldef.dat", "\n"}, {"calspc.dat", "H"}, {"Scanned/calspc.dat", "S"}}},
        // A named folder without the file gives way to the scan, or stays when nothing qualifies.
        {"Kept", "K", "", {{"Gone/", ""}, {"caldef.dat", "Gone\n"}, {"Kept/calspc.dat", "K"}}},
        {"Gone", "", noFile, {{"Gone/", ""}, {"caldef.dat", "Gone\n"}}},
        {"", "", CustomisationText::kNoCalendarFolder, {{"Empty/", ""}}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        fs::remove_all(environment.AppFolder());
        for (const auto& [name, text] : c.items)
            name.back() == '/' ? void(fs::create_directories(Folder(name)))
                               : TestEnvironment::WriteFile(Folder(name), text);
        Customization() = CustomizationModule{};
        TestSeams::Enable(); // no dialogs yet
        CustomizationModule::FindSpecs();
        EXPECT_EQ(Chosen(), c.chosen);
        EXPECT_EQ(Customization().CalendarPropertyValues, c.read);
        EXPECT_EQ(Messages(), c.message.empty() ? std::vector<std::string>{}
                                                : std::vector<std::string>{c.message});
        EXPECT_EQ(Quit(), !c.message.empty()) << "cases that end the program come last";
    }
}

TEST_F(CalendarFolderTest, AReloadWithoutCaldefKeepsTheFolderThePreferencesChose) {
    MakeCalendar("A first");
    MakeCalendar("B chosen", "vendorName=B\n");
    Customization().DefaultCalendarFolder = FolderItem(Folder("B chosen"));
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "B chosen");
}

TEST_F(CalendarFolderTest, AnUnreadableSpecificationFileReachesTheCaller) {
    fs::create_directories(Folder("Odd") / "calspc.dat"); // a folder where the file should be
    TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", "Odd\n");
    EXPECT_THROW(CustomizationModule::CustomizeCalendar(), IOException);
    EXPECT_TRUE(Messages().empty());
}
