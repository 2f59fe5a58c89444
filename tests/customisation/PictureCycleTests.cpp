#include "CustomisationFixture.h"

#include "customisation/CustomisationText.h"

namespace {

// The base picture and cycle pictures 2 to 12 in colours of their own.
Color CycleColour(int number) {
    return RGB(number * 20, 255 - number * 20, 100);
}

class PictureCycleTest : public CustomisationTest {
  protected:
    CustomizationModule& m = Customization();

    // A wide edition as the load leaves it: base 40 x 30 and pictures 2 to 12 of full height.
    void Edition(const std::string& cycle, int oneYear = 0) {
        m.WideScreen = true;
        m.cycleImages = true;
        m.imageCycle = cycle;
        m.oneYearCalendarYear = oneYear;
        m.backgroundImageWide = FilledPicture(40, 30, CycleColour(1));
        m.backgroundImage = FilledPicture(40, 30, CycleColour(1));
        PicturePtr* pictures[] = {
            &m.backgroundImage2Wide,  &m.backgroundImage3Wide, &m.backgroundImage4Wide,
            &m.backgroundImage5Wide,  &m.backgroundImage6Wide, &m.backgroundImage7Wide,
            &m.backgroundImage8Wide,  &m.backgroundImage9Wide, &m.backgroundImage10Wide,
            &m.backgroundImage11Wide, &m.backgroundImage12Wide};
        for (int number = 2; number <= 12; ++number)
            *pictures[number - 2] = FilledPicture(40, 30, CycleColour(number));
    }

    // The number of the cycle picture the background shows at (x, y).
    int Showing(int x = 20, int y = 15) const {
        if (!m.backgroundImage) return 0;
        const Color shown = m.backgroundImage->Pixel(x, y);
        for (int number = 1; number <= 12; ++number)
            if (shown == CycleColour(number)) return number;
        return -1;
    }
};

} // namespace

TEST_F(PictureCycleTest, SeasonsChangeAtTheirBoundaries) {
    const struct {
        int month, day, season;
    } days[] = {{3, 19, 3},  {3, 20, 0},  {6, 20, 0},  {6, 21, 1}, {9, 21, 1}, {9, 22, 2},
                {12, 20, 2}, {12, 21, 3}, {12, 31, 3}, {1, 1, 3},  {2, 29, 3}, {7, 1, 1}};
    for (const auto& d : days)
        EXPECT_EQ(CustomizationModule::GetSeason(Date(2024, d.month, d.day, 23, 59)), d.season)
            << d.month << "-" << d.day;
}

TEST_F(PictureCycleTest, WithoutCyclingOrWithAnUnknownCycleTheBaseStays) {
    FixDate(2026, 7, 1);
    Edition("Seasonal");
    m.cycleImages = false;
    const PicturePtr before = m.backgroundImage;
    CustomizationModule::CycleImage();
    EXPECT_EQ(m.backgroundImage, before);
    Edition("Monthly "); // not a known cycle
    CustomizationModule::CycleImage();
    EXPECT_EQ(Showing(), 1);
}

TEST_F(PictureCycleTest, SeasonalShowsTheSeasonsPictureAndItsPreviewWraps) {
    Edition("seasonal"); // letter case is ignored
    const struct { int month, picture; } cases[] = {{4, 1}, {7, 2}, {10, 3}, {1, 4}};
    for (const auto& c : cases) {
        FixDate(2026, c.month, 15);
        CustomizationModule::CycleImage();
        EXPECT_EQ(Showing(), c.picture) << c.month;
    }
    EXPECT_TRUE(Messages().empty());

    FixDate(2026, 10, 15); // autumn: picture 3
    m.PreEmptiveCycling = true;
    std::vector<int> shown;
    for (int click = 0; click < 6; ++click) {
        CustomizationModule::CycleImage();
        shown.push_back(Showing());
    }
    EXPECT_EQ(shown, (std::vector<int>{4, 1, 2, 3, 4, 1}));
    EXPECT_TRUE(m.PreEmptiveCycling);
}

TEST_F(PictureCycleTest, AShorterPictureStandsOnTheBottomOfTheBase) {
    Edition("Seasonal");
    m.backgroundImage2Wide = FilledPicture(30, 29, CycleColour(2)); // one pixel shorter, narrower
    FixDate(2026, 7, 1);
    CustomizationModule::CycleImage();
    // The base's top row, the picture's one pixel lower, its bottom right corner, the base
    // beside it.
    EXPECT_EQ((std::vector<int>{Showing(5, 0), Showing(5, 1), Showing(29, 29), Showing(30, 29)}),
              (std::vector<int>{1, 2, 2, 1}));
    EXPECT_EQ(m.backgroundImageWide->Pixel(5, 5), CycleColour(1)); // loaded pictures stay

    // As tall as the base, the picture itself becomes the background; a later composition
    // draws into a new picture of the module's, not into it.
    m.backgroundImage2Wide = FilledPicture(40, 30, CycleColour(2));
    CustomizationModule::CycleImage();
    EXPECT_EQ(m.backgroundImage, m.backgroundImage2Wide);
    FixDate(2026, 4, 1);
    CustomizationModule::CycleImage();
    EXPECT_NE(m.backgroundImage, m.backgroundImage2Wide);
    EXPECT_EQ(Showing(), 1);
    EXPECT_EQ(m.backgroundImage2Wide->Pixel(5, 5), CycleColour(2));
}

TEST_F(PictureCycleTest, MonthlyShowsTheMonthsPictureOrTheDefaultOutsideItsYear) {
    Edition("Monthly", 2026);
    FixDate(2026, 12, 10);
    CustomizationModule::CycleImage();
    EXPECT_EQ(m.backgroundImage, m.backgroundImage12Wide);

    // Every year differs from 0: with a default picture, it shows all year round.
    Edition("Monthly", 0);
    m.backgroundImageDefaultWide = FilledPicture(40, 20, RGB(1, 2, 3));
    for (int month : {1, 6, 12}) {
        FixDate(2026, month, 10);
        CustomizationModule::CycleImage();
        EXPECT_EQ(m.backgroundImage->Pixel(5, 25), RGB(1, 2, 3)) << month;
        EXPECT_EQ(Showing(5, 5), 1) << month; // over the base, bottom-aligned
    }
    m.backgroundImageDefaultWide = nullptr;
    FixDate(2026, 6, 10);
    CustomizationModule::CycleImage();
    EXPECT_EQ(Showing(), 6);
}

TEST_F(PictureCycleTest, StandardScreensUseTheirOwnPictures) {
    Edition("Monthly");
    m.WideScreen = false;
    m.backgroundImageStandard = FilledPicture(20, 40, RGB(9, 9, 9));
    m.backgroundImage3Standard = FilledPicture(20, 30, RGB(3, 3, 3));
    FixDate(2026, 3, 10);
    CustomizationModule::CycleImage();
    ASSERT_EQ(m.backgroundImage->Height(), 40);
    EXPECT_EQ(m.backgroundImage->Pixel(5, 5), RGB(9, 9, 9));
    EXPECT_EQ(m.backgroundImage->Pixel(5, 35), RGB(3, 3, 3));
}

TEST_F(PictureCycleTest, PreviewOfAOneYearEditionEndsAfterDecember) {
    Edition("Monthly", 2026);
    FixDate(2026, 10, 15); // October: index 9
    m.PreEmptiveCycling = true;
    CustomizationModule::CycleImage();
    CustomizationModule::CycleImage();
    EXPECT_EQ(Showing(), 12);
    const PicturePtr december = m.backgroundImage;
    CustomizationModule::CycleImage(); // past December: the preview ends, nothing changes
    EXPECT_FALSE(m.PreEmptiveCycling);
    EXPECT_EQ(m.PreEmptiveCycleValue, -10);
    EXPECT_EQ(m.backgroundImage, december);
    m.PreEmptiveCycling = true; // the next click starts again at January
    CustomizationModule::CycleImage();
    EXPECT_EQ(Showing(), 1);
}

TEST_F(PictureCycleTest, AMissingCyclePictureEndsTheProgram) {
    Edition("Seasonal");
    m.backgroundImage3Wide = nullptr;
    FixDate(2026, 10, 15);
    CustomizationModule::CycleImage();
    EXPECT_EQ(Messages(), std::vector<std::string>{CustomisationText::kCyclePictureMissing});
    EXPECT_TRUE(Quit());

    Edition("Seasonal");
    m.backgroundImageWide = nullptr;
    FixDate(2026, 4, 15);
    CustomizationModule::CycleImage();
    EXPECT_EQ(Messages().size(), 2u);
}
