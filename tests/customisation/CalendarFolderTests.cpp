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

TEST_F(CalendarFolderTest, CaldefNamesTheFolderAndItsFileIsReadWhole) {
    MakeCalendar("Alpine", "vendorName=Alpine\r\nimageCycle=Seasonal\r\n");
    MakeCalendar("Coastal");
    TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", "Coastal\r\nignored\r\n");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "Coastal");
    EXPECT_EQ(Customization().CalendarPropertyValues, "vendorName=V\n");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(Quit());
}

TEST_F(CalendarFolderTest, WithoutCaldefTheFirstQualifyingFolderInNameOrderIsUsed) {
    TestEnvironment::WriteFile(environment.AppFolder() / "A plain file", "x");
    fs::create_directories(Folder("B empty folder"));
    MakeCalendar("D second");
    MakeCalendar("C first", "vendorName=C\n");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "C first");
    EXPECT_EQ(Customization().CalendarPropertyValues, "vendorName=C\n");
}

TEST_F(CalendarFolderTest, FileNamesInsideTheFolderIgnoreLetterCase) {
    TestEnvironment::WriteFile(Folder("Upper") / "CALSPC.DAT", "vendorName=U\n");
    TestEnvironment::WriteFile(environment.AppFolder() / "CalDef.dat", "upper\n");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "Upper");
    EXPECT_EQ(Customization().CalendarPropertyValues, "vendorName=U\n");
}

TEST_F(CalendarFolderTest, ANamedFolderWithoutItsFileGivesWayToTheScanOrEndsTheProgram) {
    fs::create_directories(Folder("Gone"));
    TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", "Gone\n");
    CustomizationModule::CustomizeCalendar();
    EXPECT_EQ(Chosen(), "Gone");
    EXPECT_EQ(Messages(), std::vector<std::string>{CustomisationText::kNoSpecificationFile});
    EXPECT_TRUE(Quit());
    EXPECT_EQ(Customization().CalendarPropertyValues, "");

    MakeCalendar("Kept");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "Kept");
}

TEST_F(CalendarFolderTest, NoCalendarFolderEndsTheProgramWithItsMessage) {
    fs::create_directories(Folder("Empty"));
    CustomizationModule::CustomizeCalendar();
    EXPECT_TRUE(Customization().DefaultCalendarFolder.IsNone());
    EXPECT_EQ(Messages(), std::vector<std::string>{CustomisationText::kNoCalendarFolder});
    EXPECT_TRUE(Quit());
}

TEST_F(CalendarFolderTest, AnEmptyCaldefLineNamesTheApplicationFolder) {
    TestEnvironment::WriteFile(environment.AppFolder() / "caldef.dat", "\n");
    MakeCalendar("Scanned");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Chosen(), "Scanned"); // the application folder itself holds no calspc.dat

    Customization() = CustomizationModule{};
    TestEnvironment::WriteFile(environment.AppFolder() / "calspc.dat", "vendorName=Here\n");
    CustomizationModule::FindSpecs();
    EXPECT_EQ(Customization().DefaultCalendarFolder, FolderItem(environment.AppFolder()));
    EXPECT_EQ(Customization().CalendarPropertyValues, "vendorName=Here\n");
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
