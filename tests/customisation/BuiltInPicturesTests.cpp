#include "customisation/BuiltInPictureTable.h"
#include "customisation/BuiltInPictures.h"

#include "platform/Exceptions.h"
#include "platform/Resources.h"

#include "support/TestEnvironment.h"

namespace {
class BuiltInPicturesTest : public IsolatedTest {
  protected:
    BuiltInPicturesTest() { ReleaseBuiltInPictures(); }
    ~BuiltInPicturesTest() override {
        SetMissingResourcesForTesting({});
        ReleaseBuiltInPictures();
    }
};

using Accessor = PicturePtr (*)();
// In the order of the resource table.
constexpr Accessor kAccessors[] = {
    homeButtonNormal,    homeButtonMask,        homeButtonMouseOver,
    homeButtonMouseDown, linkButtons,           menuButtons,
    menutoggle,          menutoggle2,           menutoggleMouseover2,
    menutoggleMask2,     Ombrellinelogographic, customAboutWindowBackground,
    countdown,           countdownmask,         menubutton,
    glanceHeader1,       glanceHeader2,         Glancetimebackground,
    returnArrowNew,      returnArrowNewMO,      deletex,
    trayIcon48x48};
static_assert(std::size(kAccessors) == kBuiltInPictureCount);
} // namespace

TEST_F(BuiltInPicturesTest, EveryPictureLoadsOnceAndIsShared) {
    for (size_t row = 0; row < kBuiltInPictureCount; ++row) {
        const PicturePtr first = kAccessors[row]();
        ASSERT_TRUE(first) << kBuiltInPictureTable[row].name;
        EXPECT_EQ(kAccessors[row](), first) << kBuiltInPictureTable[row].name;
        EXPECT_EQ(first->Transparent(), kBuiltInPictureTable[row].transparent ? 1 : 0);
    }
    // Released, the next call loads a new picture.
    const PicturePtr before = deletex();
    ReleaseBuiltInPictures();
    EXPECT_NE(deletex(), before);
}

TEST_F(BuiltInPicturesTest, CountdownIsTransparentAndCarriesItsMask) {
    const PicturePtr mask = countdownmask(); // loaded first: countdown uses this very picture
    const PicturePtr badge = countdown();
    EXPECT_EQ(badge->Transparent(), 1);
    ASSERT_TRUE(badge->HasMask());
    for (const auto& [x, y] : {std::pair{0, 0}, {60, 70}, {117, 129}, {112, 125}})
        EXPECT_EQ(badge->Mask().Pixel(x, y), mask->Pixel(x, y)) << x << "," << y;
}

TEST_F(BuiltInPicturesTest, AMissingResourceIsAskedForAgain) {
    SetMissingResourcesForTesting({168, 186, 187});
    EXPECT_FALSE(homeButtonNormal());
    EXPECT_FALSE(homeButtonNormal());
    EXPECT_THROW(countdown(), NilObjectException);
    EXPECT_FALSE(countdownmask());

    SetMissingResourcesForTesting({187});
    ASSERT_TRUE(homeButtonNormal());
    const PicturePtr badge = countdown(); // without its mask picture: transparent, mask untouched
    EXPECT_EQ(badge->Transparent(), 1);
    EXPECT_FALSE(badge->HasMask());
    EXPECT_FALSE(countdownmask());
}
