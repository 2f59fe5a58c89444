#include "platform/Exceptions.h"
#include "platform/FolderItem.h"
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/PictureFunctions.h"

#include "support/TestEnvironment.h"

#include <filesystem>
#include <sys/stat.h>
#include <vector>

namespace {
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

// A 2 x 1 GIF: a red pixel, then a blue one.
constexpr char kGifBytes[] = "GIF89a\x02\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\xff"
                             ",\x00\x00\x00\x00\x02\x00\x01\x00\x00\x02\x02\x44\x0a\x00;";
const std::string kGif(kGifBytes, sizeof kGifBytes - 1);

// A GIF of a screen and one image that claim width x height pixels, without any pixels.
std::string GifClaiming(int width, int height) {
    std::string size;
    for (const int side : {width, height}) {
        size += static_cast<char>(side & 0xff);
        size += static_cast<char>((side >> 8) & 0xff);
    }
    const std::string none(3, '\0');
    return "GIF89a" + size + none + "," + std::string(4, '\0') + size + '\0' + ";";
}

class PictureFileTest : public IsolatedTest {
  protected:
    FolderItem folder{environment.AppFolder()};

    PicturePtr TwoColours(int width = 4, int height = 3) {
        auto picture = std::make_shared<Picture>(width, height);
        picture->Graphics().ForeColor = kRed;
        picture->Graphics().FillRect(0, 0, width / 2, height);
        picture->Graphics().ForeColor = kBlue;
        picture->Graphics().FillRect(width / 2, 0, width - width / 2, height);
        return picture;
    }
};
} // namespace

TEST_F(PictureFileTest, OpensTheFormatsTheToolkitReads) {
    TestEnvironment::WriteFile(environment.AppFolder() / "a.gif", kGif);
    for (const char* name : {"a.png", "a.bmp"})
        ASSERT_TRUE(TwoColours(2, 1)->Save(environment.AppFolder() / name));
    for (const char* name : {"a.png", "a.bmp", "a.gif"}) {
        const PicturePtr opened = folder.Child(name).OpenAsPicture();
        ASSERT_TRUE(opened) << name;
        EXPECT_EQ(opened->Depth(), 32);
        EXPECT_EQ((std::vector<Color>{opened->Pixel(0, 0), opened->Pixel(1, 0)}),
                  (std::vector<Color>{kRed, kBlue}))
            << name;
    }
    // JPEG keeps the colours only nearly.
    ASSERT_TRUE(TwoColours(64, 48)->Save(environment.AppFolder() / "a.jpg"));
    const PicturePtr jpeg = folder.Child("a.jpg").OpenAsPicture();
    ASSERT_TRUE(jpeg);
    EXPECT_NEAR(jpeg->Pixel(5, 5).r, 255, 8);
    EXPECT_NEAR(jpeg->Pixel(60, 5).b, 255, 8);
}

// A JPEG is opened and decoded by the system's decoder alone: the toolkit's would be looked
// for among its plug-ins and loaded, at start-up, for a background.
TEST_F(PictureFileTest, AJpegOpensAndDecodesWithoutTheToolkitsPlugIn) {
    const auto mapped = [] {
        return TestEnvironment::ReadFile("/proc/self/maps").find("imageformats") !=
               std::string::npos;
    };
    if (mapped()) GTEST_SKIP() << "an image plug-in is loaded already in this process";
    const PicturePtr picture =
        FolderItem(std::filesystem::path(CALENDAR_BIN_DIR) / "Four Seasons" / "spring-wide.jpg")
            .OpenAsPicture();
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width() * 10000 + picture->Height(), 1920 * 10000 + 1200);
    EXPECT_NE(picture->Pixel(100, 100), RGB(255, 255, 255)); // decoded
    EXPECT_FALSE(mapped());
}

TEST_F(PictureFileTest, MissingOrUnreadableFilesGiveNoPicture) {
    TestEnvironment::WriteFile(environment.AppFolder() / "notes.png", "not a picture\n");
    TestEnvironment::WriteFile(environment.AppFolder() / "empty.jpg", "");
    // Pipes give no picture at once: a reader of one would wait for a writer for good.
    for (const char* name : {"pipe.jpg", "pipe.png"})
        ASSERT_EQ(mkfifo((environment.AppFolder() / name).c_str(), 0600), 0);
    for (const FolderItem& item :
         {folder.Child("missing.png"), folder, folder.Child("notes.png"), folder.Child("empty.jpg"),
          folder.Child("pipe.jpg"), folder.Child("pipe.png"), FolderItem()})
        EXPECT_FALSE(item.OpenAsPicture()) << item.Path();
}

TEST_F(PictureFileTest, APictureWhoseBodyIsDamagedKeepsItsSizeAndDrawsNothing) {
    ASSERT_TRUE(TwoColours(32, 32)->Save(environment.AppFolder() / "whole.png"));
    const std::string bytes = TestEnvironment::ReadFile(environment.AppFolder() / "whole.png");
    TestEnvironment::WriteFile(environment.AppFolder() / "cut.png",
                               bytes.substr(0, bytes.size() - 20));
    TestEnvironment::WriteFile(environment.AppFolder() / "empty.gif", GifClaiming(4000, 4000));
    for (const char* name : {"cut.png", "empty.gif"}) {
        const PicturePtr cut = folder.Child(name).OpenAsPicture();
        ASSERT_TRUE(cut) << name;
        // No blank picture of the size the file claims: nothing is drawn.
        Picture canvas(4, 4);
        canvas.Graphics().ForeColor = kRed;
        canvas.Graphics().FillRect(0, 0, 4, 4);
        canvas.Graphics().DrawPicture(*cut, 0, 0);
        EXPECT_EQ(canvas.Pixel(1, 1), kRed) << name;
    }
}

TEST_F(PictureFileTest, APictureClaimingTooManyPixelsIsRefusedBeforeItIsRead) {
    const struct {
        int width, height;
        bool opens;
    } cases[] = {{10239, 65535, false}, {16385, 1, false},   {1, 16385, false},
                 {16384, 4097, false},  {16384, 4096, true}, {8192, 8192, true}};
    for (const auto& c : cases) {
        const std::string name = std::to_string(c.width) + "x" + std::to_string(c.height) + ".gif";
        TestEnvironment::WriteFile(environment.AppFolder() / name, GifClaiming(c.width, c.height));
        EXPECT_EQ(bool(folder.Child(name).OpenAsPicture()), c.opens) << name;
    }
}

TEST_F(PictureFileTest, EnsurePictureBitsConvertsPixelsAndMask) {
    const PicturePtr grey = std::make_shared<Picture>(2, 2, 8);
    grey->SetPixel(1, 1, kRed);
    grey->Mask().SetPixel(0, 1, RGB(255, 255, 255));
    const PicturePtr converted = EnsurePictureBits(grey, 32);
    EXPECT_EQ(converted->Depth(), 32);
    EXPECT_EQ(converted->Pixel(1, 1), kRed);
    EXPECT_EQ(converted->Mask().Pixel(0, 1), RGB(255, 255, 255));
    EXPECT_THROW(EnsurePictureBits(nullptr, 32), NilObjectException);
}

TEST_F(PictureFileTest, BilinearScaleGivesTheExactSizeAndScalesTheMask) {
    const PicturePtr picture = TwoColours(40, 20);
    picture->SetTransparent(1);
    picture->Mask().Graphics().ForeColor = RGB(255, 255, 255);
    picture->Mask().Graphics().FillRect(0, 0, 40, 10);
    const PicturePtr scaled = BilinearScale(picture, 13, 7);
    EXPECT_EQ((std::vector<int>{scaled->Width(), scaled->Height(), scaled->Transparent()}),
              (std::vector<int>{13, 7, 1}));
    EXPECT_EQ((std::vector<Color>{scaled->Pixel(0, 6), scaled->Pixel(12, 6)}),
              (std::vector<Color>{kRed, kBlue}));
    ASSERT_TRUE(scaled->HasMask());
    EXPECT_EQ(scaled->Mask().Pixel(5, 0), RGB(255, 255, 255));
    EXPECT_EQ(scaled->Mask().Pixel(5, 6), RGB(0, 0, 0));
    EXPECT_THROW(BilinearScale(nullptr, 1, 1), NilObjectException);
}

TEST_F(PictureFileTest, RotatePictureTurnsAQuarterClockwise) {
    const PicturePtr picture = std::make_shared<Picture>(4, 2);
    picture->SetPixel(0, 0, kRed);  // top left
    picture->SetPixel(3, 1, kBlue); // bottom right
    const PicturePtr turned = RotatePicture(picture, 90.0, RGB(0, 0, 0));
    ASSERT_EQ(turned->Width(), 2);
    EXPECT_EQ(turned->Pixel(1, 0), kRed);  // now top right
    EXPECT_EQ(turned->Pixel(0, 3), kBlue); // now bottom left
    // The corners a tilted picture leaves uncovered take the given colour.
    EXPECT_EQ(RotatePicture(std::make_shared<Picture>(10, 10), 45.0, kBlue)->Pixel(0, 0), kBlue);
    EXPECT_THROW(RotatePicture(nullptr, 90, kBlue), NilObjectException);
}

// Cut from strips in their files or in memory, damaged or smaller than the picture strip, each
// piece and its mask hold what drawing that part into a new picture and its mask gives.
TEST_F(PictureFileTest, SlicedPicturesHoldWhatDrawingEachPartGives) {
    const auto striped = [](int width, int height) {
        auto picture = std::make_shared<Picture>(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                picture->SetPixel(x, y, RGB(x * 40 % 256, y * 9 % 256, (x + y) * 5 % 256));
        return picture;
    };
    ASSERT_TRUE(striped(6, 32)->Save(environment.AppFolder() / "strip.png"));
    ASSERT_TRUE(striped(5, 20)->Save(environment.AppFolder() / "small.png"));
    ASSERT_TRUE(striped(6, 32)->Save(environment.AppFolder() / "whole.png"));
    const std::string bytes = TestEnvironment::ReadFile(environment.AppFolder() / "whole.png");
    TestEnvironment::WriteFile(environment.AppFolder() / "cut.png",
                               bytes.substr(0, bytes.size() - 30));
    const struct {
        const char *strip, *mask;
    } cases[] = {{"strip.png", "strip.png"},
                 {"strip.png", "small.png"},
                 {"cut.png", "strip.png"},
                 {"strip.png", nullptr}};
    for (const auto& c : cases) {
        const PicturePtr strip = folder.Child(c.strip).OpenAsPicture();
        const PicturePtr mask = c.mask ? folder.Child(c.mask).OpenAsPicture() : striped(6, 32);
        ASSERT_TRUE(strip && mask) << c.strip;
        const std::vector<PicturePtr> pieces = SlicedPictures(*strip, *mask, 3);
        ASSERT_EQ(pieces.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            Picture drawn(6, 10);
            drawn.Graphics().DrawPicture(*strip, 0, 0, 6, 10, 0, i * 10, 6, 10);
            drawn.Mask().Graphics().DrawPicture(*mask, 0, 0, 6, 10, 0, i * 10, 6, 10);
            ASSERT_EQ(pieces[i]->Width() * 100 + pieces[i]->Height(), 610);
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 6; ++x) {
                    EXPECT_EQ(pieces[i]->Pixel(x, y), drawn.Pixel(x, y)) << c.strip << i << y;
                    EXPECT_EQ(pieces[i]->Mask().Pixel(x, y), drawn.Mask().Pixel(x, y))
                        << c.mask << i << y;
                }
        }
    }
}
