#include "platform/Color.h"
#include "platform/FolderItem.h"

#include "support/TestEnvironment.h"

using PlatformValuesTest = IsolatedTest;

TEST_F(PlatformValuesTest, ColoursFromText) {
    EXPECT_EQ(RGB(300, -4, 17), (Color{255, 0, 17}));
    EXPECT_EQ(ColorFromText("&hFF8000"), RGB(255, 128, 0));
    EXPECT_EQ(ColorFromText("&c0000ff"), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromText("#102030"), RGB(16, 32, 48));
    EXPECT_EQ(ColorFromText("255"), RGB(0, 0, 255));
    EXPECT_EQ(ColorFromText(" 65280"), RGB(0, 255, 0));
    EXPECT_EQ(ColorFromText("red"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText("#xyz"), RGB(0, 0, 0));
    EXPECT_EQ(ColorFromText(""), RGB(0, 0, 0));
}

TEST_F(PlatformValuesTest, ChildIgnoringCaseFindsCalendarFiles) {
    const auto app = environment.AppFolder();
    TestEnvironment::WriteFile(app / "Edition" / "calspc.dat", "x");
    TestEnvironment::WriteFile(app / "Edition" / "Spring.JPG", "x");
    TestEnvironment::WriteFile(app / "Edition" / "spring.jpg", "y");
    const FolderItem folder(app);
    const FolderItem edition = folder.ChildIgnoringCase("EDITION");
    EXPECT_EQ(edition.Name(), "Edition");
    EXPECT_TRUE(edition.ChildIgnoringCase("calSpc.Dat").Exists());
    // The exact name wins; otherwise the first match in name order.
    EXPECT_EQ(edition.ChildIgnoringCase("spring.jpg").Name(), "spring.jpg");
    EXPECT_EQ(edition.ChildIgnoringCase("SPRING.jpg").Name(), "Spring.JPG");
    const FolderItem missing = edition.ChildIgnoringCase("Summer.jpg");
    EXPECT_FALSE(missing.IsNone());
    EXPECT_FALSE(missing.Exists());
    EXPECT_EQ(folder.ChildIgnoringCase(""), folder);
    for (const char* name : {".", "..", "../x", "a/b", "/etc"})
        EXPECT_TRUE(folder.ChildIgnoringCase(name).IsNone()) << name;
    EXPECT_TRUE(FolderItem().ChildIgnoringCase("x").IsNone());
}
