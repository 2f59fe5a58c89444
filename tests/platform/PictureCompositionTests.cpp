// Backgrounds composed from a base and a picture over its bottom must show exactly what drawing
// one and then the other into a white picture shows, though only part of the base is decoded.
#include "platform/FolderItem.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/JpegFile.h"

#include "platform/Picture.h"
#include "platform/PictureFunctions.h"
#include <QImageReader>

#include "support/TestEnvironment.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {
class PictureCompositionTest : public IsolatedTest {
  protected:
    FolderItem folder{environment.AppFolder()};
    // A JPEG full of detail, so that any decoding difference shows, opened undecoded.
    PicturePtr JpegFile(const std::string& name, int width, int height, int seed) const {
        Picture drawn(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                drawn.SetPixel(
                    x, y,
                    RGB((x * 7 + seed) % 256, (y * 5 + x * seed) % 256, (x * y + seed * 13) % 256));
        const auto path = environment.AppFolder() / name;
        EXPECT_TRUE(drawn.Save(path));
        return FolderItem(path).OpenAsPicture();
    }
    // Pixels where composed differs from base then over drawn into a white picture.
    static int Differences(const Picture& composed, const Picture& base, const Picture* over) {
        Picture b(base.Width(), base.Height());
        b.Graphics().DrawPicture(base, 0, 0);
        if (over) b.Graphics().DrawPicture(*over, 0, base.Height() - over->Height());
        if (composed.Width() != b.Width() || composed.Height() != b.Height()) return -1;
        int count = 0;
        for (int y = 0; y < b.Height(); ++y)
            for (int x = 0; x < b.Width(); ++x)
                count += composed.Pixel(x, y) != b.Pixel(x, y);
        return count;
    }
    // The mean difference of the channels of two pictures of one size; -1 for other sizes.
    static double MeanDifference(const Picture& a, const Picture& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
        double sum = 0;
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x) {
                const Color p = a.Pixel(x, y), q = b.Pixel(x, y);
                sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            }
        return sum / (3.0 * a.Width() * a.Height());
    }
    // base then over drawn into a white picture, scaled.
    static PicturePtr DrawnScaled(const Picture& base, const Picture* over, int width, int height) {
        auto drawn = std::make_shared<Picture>(base.Width(), base.Height());
        drawn->Graphics().DrawPicture(base, 0, 0);
        if (over) drawn->Graphics().DrawPicture(*over, 0, base.Height() - over->Height());
        return BilinearScale(drawn, width, height);
    }
};
} // namespace

TEST_F(PictureCompositionTest, ShowsWhatDrawingBothShowsForEveryShapeOfTheOverPicture) {
    for (const int overHeight : {0, 1, 37, 190, 200, 250}) {
        for (const int overWidth : {320, 200, 400}) {
            const PicturePtr base = JpegFile("base.jpg", 320, 200, 3);
            const PicturePtr over =
                overHeight ? JpegFile("over.jpg", overWidth, overHeight, 11) : nullptr;
            // The reference reads the same files whole.
            const PicturePtr whole =
                FolderItem(environment.AppFolder() / "base.jpg").OpenAsPicture();
            EXPECT_EQ(Differences(*ComposeAtBottom(*base, over.get()), *whole, over.get()), 0)
                << overWidth << " x " << overHeight;
        }
    }
}

TEST_F(PictureCompositionTest, ADamagedBaseShowsAsDrawingItDoesAndNoSourceChanges) {
    const PicturePtr over = JpegFile("over.jpg", 320, 30, 5);
    const PicturePtr good = JpegFile("good.jpg", 320, 200, 1);
    const fs::path cutFile = environment.AppFolder() / "cut.jpg";
    fs::copy_file(environment.AppFolder() / "good.jpg", cutFile);
    fs::resize_file(cutFile, fs::file_size(cutFile) * 2 / 3);
    const PicturePtr cut = FolderItem(cutFile).OpenAsPicture();
    ASSERT_TRUE(cut);
    EXPECT_EQ(Differences(*ComposeAtBottom(*cut, over.get()), *cut, over.get()), 0);
    // A cover whose body cannot be decoded draws nothing: the base shows where it would be.
    const fs::path coverFile = environment.AppFolder() / "cover.png";
    ASSERT_TRUE(Picture(320, 30).Save(coverFile));
    fs::resize_file(coverFile, fs::file_size(coverFile) - 20);
    const PicturePtr cutOver = FolderItem(coverFile).OpenAsPicture();
    ASSERT_TRUE(cutOver);
    const PicturePtr base = JpegFile("base.jpg", 320, 400, 9);
    EXPECT_EQ(Differences(*ComposeAtBottom(*base, cutOver.get()), *base, cutOver.get()), 0);

    // The sources keep their pixels: the composition is a picture of its own.
    const Color before = good->Pixel(3, 3);
    const PicturePtr alone = ComposeAtBottom(*good, nullptr);
    alone->Graphics().ForeColor = RGB(1, 2, 3);
    alone->Graphics().FillRect(0, 0, 320, 200);
    EXPECT_EQ(good->Pixel(3, 3), before);
}

// A JPEG cut short shows the rows it holds and is told once on standard error, with what the
// decoder said, however often and in however many bands the file is decoded.
TEST_F(PictureCompositionTest, ATruncatedJpegShowsTheRowsItHoldsAndIsToldOnce) {
    const PicturePtr whole = JpegFile("whole.jpg", 96, 1000, 3);
    const fs::path cutFile = environment.AppFolder() / "cut.jpg";
    fs::copy_file(environment.AppFolder() / "whole.jpg", cutFile);
    fs::resize_file(cutFile, fs::file_size(cutFile) / 2);
    const PicturePtr cut = FolderItem(cutFile).OpenAsPicture();
    ASSERT_TRUE(cut);
    testing::internal::CaptureStderr();
    const PicturePtr composed = ComposeAtBottom(*cut, nullptr);
    EXPECT_NE(BilinearScale(cut, 48, 500)->Pixel(0, 0), RGB(0, 0, 0)); // decoded shrunk
    // The top third lies wholly in the half of the file that is left.
    int different = 0;
    for (int y = 0; y < 330; ++y)
        for (int x = 0; x < 96; ++x)
            different += composed->Pixel(x, y) != whole->Pixel(x, y) ||
                         cut->Pixel(x, y) != whole->Pixel(x, y);
    EXPECT_EQ(different, 0);
    const std::string log = testing::internal::GetCapturedStderr();
    const std::string ending = "Premature end of JPEG file): " + cutFile.string() + "\n";
    const auto told = log.find(ending);
    EXPECT_NE(told, std::string::npos) << log;
    EXPECT_EQ(log.find(cutFile.string(), told + ending.size()), std::string::npos)
        << "told more than once: " << log;
}

TEST_F(PictureCompositionTest, AScaledCompositionIsTheCompositionScaled) {
    const PicturePtr base = JpegFile("base.jpg", 320, 200, 3);
    const PicturePtr over = JpegFile("over.jpg", 320, 120, 11);
    // Scaled while it may still be in the making.
    const PicturePtr scaled = BilinearScale(ComposeAtBottom(*base, over.get()), 160, 100);
    auto drawn = std::make_shared<Picture>(320, 200);
    drawn->Graphics().DrawPicture(*base, 0, 0);
    drawn->Graphics().DrawPicture(*over, 0, 80);
    EXPECT_EQ(Differences(*scaled, *BilinearScale(drawn, 160, 100), nullptr), 0);
}

// A background shown smaller than its pictures is decoded at the shown size when the pictures
// shrink to it by eighths: it then shows nearly what scaling the drawn pictures shows (the
// decoder filters otherwise), with every row in its place. Any other shape, or a picture not
// in JPEG, is composed and scaled as before, exactly.
TEST_F(PictureCompositionTest, AScaledCompositionKnownAheadIsNearlyOrExactlyTheCompositionScaled) {
    JpegFile("base.jpg", 320, 200, 3);
    JpegFile("over.jpg", 320, 120, 11);
    ASSERT_TRUE(Picture(320, 40).Save(environment.AppFolder() / "over.png"));
    const struct {
        const char* over;
        int width, height;
        bool exact;
    } cases[] = {{"over.jpg", 160, 100, false}, {"over.jpg", 240, 150, false},
                 {nullptr, 80, 50, false},      {"over.jpg", 155, 97, true},
                 {"over.png", 160, 100, true},  {"over.jpg", 320, 200, true}};
    for (const auto& c : cases) {
        // Pictures opened afresh: still in their files.
        const PicturePtr base = folder.Child("base.jpg").OpenAsPicture();
        const PicturePtr over = c.over ? folder.Child(c.over).OpenAsPicture() : nullptr;
        const PicturePtr composed = ComposeAtBottom(*base, over.get(), c.height);
        const PicturePtr shown = BilinearScale(composed, c.width, c.height);
        const PicturePtr expected = DrawnScaled(*base, over.get(), c.width, c.height);
        if (c.exact)
            EXPECT_EQ(Differences(*shown, *expected, nullptr), 0) << c.width;
        else
            EXPECT_LT(MeanDifference(*shown, *expected), 14.0) << c.width;
        // The composition at its own size is there too, exactly.
        EXPECT_EQ(Differences(*composed, *base, over.get()), 0) << c.width;
    }
}

// A picture still in its file is scaled as its decoded pixels are: by the decoder when it
// shrinks by eighths, else exactly.
TEST_F(PictureCompositionTest, APictureInItsFileScalesAsItsPixelsDo) {
    const PicturePtr decoded = JpegFile("picture.jpg", 320, 200, 7);
    decoded->Pixel(0, 0);
    for (const auto& [width, height] : {std::pair{160, 100}, std::pair{150, 93}}) {
        const PicturePtr inFile =
            FolderItem(environment.AppFolder() / "picture.jpg").OpenAsPicture();
        const PicturePtr shown = BilinearScale(inFile, width, height);
        const PicturePtr expected = BilinearScale(decoded, width, height);
        if (width == 160)
            EXPECT_LT(MeanDifference(*shown, *expected), 14.0);
        else
            EXPECT_EQ(Differences(*shown, *expected, nullptr), 0);
    }
}

// A background made from its files is kept at 24 bits a pixel, at its own size and at the size
// it is shown at; every use of it shows what the same use of the drawn pictures shows: drawn
// with white as clear, drawn into, turned for a page, scaled, stretched, cut into pieces.
TEST_F(PictureCompositionTest, ABackgroundKeptAtTwentyFourBitsServesEveryUseAsTheDrawnOneDoes) {
    JpegFile("base.jpg", 320, 200, 3);
    JpegFile("over.jpg", 320, 120, 11);
    const PicturePtr composed =
        ComposeAtBottom(*folder.Child("base.jpg").OpenAsPicture(),
                        folder.Child("over.jpg").OpenAsPicture().get(), 100);
    auto drawn = std::make_shared<Picture>(320, 200);
    drawn->Graphics().DrawPicture(*folder.Child("base.jpg").OpenAsPicture(), 0, 0);
    drawn->Graphics().DrawPicture(*folder.Child("over.jpg").OpenAsPicture(), 0, 80);
    // Shown at the size it is made at, it is the same pixels.
    for (const PicturePtr& shown :
         {BilinearScale(composed, 160, 100), BilinearScale(composed, 320, 200), composed})
        EXPECT_EQ(PictureImage(*shown).depth(), 24) << shown->Width();
    // One to be shown at a size the decoder cannot shrink it to is made at the 32 bits that
    // smooth scaling takes: converted first, it would be there twice.
    const PicturePtr toScale = ComposeAtBottom(*folder.Child("base.jpg").OpenAsPicture(),
                                               folder.Child("over.jpg").OpenAsPicture().get(), 97);
    EXPECT_EQ(PictureImage(*toScale).depth(), 32);

    const auto drawnOver = [](const PicturePtr& picture) {
        auto onto = std::make_shared<Picture>(320, 200);
        onto->Graphics().ForeColor = RGB(0, 128, 0);
        onto->Graphics().FillRect(0, 0, 320, 200);
        picture->SetTransparent(1);
        onto->Graphics().DrawPicture(*picture, 0, 0);
        picture->SetTransparent(0);
        return onto;
    };
    // Last: it changes the picture itself.
    const auto drawnInto = [](const PicturePtr& picture) {
        picture->Graphics().ForeColor = RGB(200, 10, 10);
        picture->Graphics().FillRect(10, 10, 30, 20);
        picture->SetPixel(0, 0, RGB(1, 2, 3));
        return picture;
    };
    const std::function<PicturePtr(const PicturePtr&)> uses[] = {
        drawnOver,
        [](const PicturePtr& p) { return RotatePicture(p, 90.0, RGB(0, 0, 0)); },
        [](const PicturePtr& p) { return BilinearScale(p, 131, 77); },
        [](const PicturePtr& p) { // stretched, as the tray window shows it
            auto onto = std::make_shared<Picture>(33, 19);
            onto->Graphics().DrawPicture(*p, 0, 0, 33, 19, 0, 0, p->Width(), p->Height());
            return onto;
        },
        [](const PicturePtr& p) {
            const PicturePtr piece = SlicedPictures(*p, *p, 4)[2];
            auto onto = std::make_shared<Picture>(320, 50);
            onto->Graphics().DrawPicture(*piece, 0, 0); // through the piece's mask
            return onto;
        },
        drawnInto,
    };
    int use = 0;
    for (const auto& apply : uses) {
        const PicturePtr mine = apply(composed), theirs = apply(drawn);
        EXPECT_EQ(Differences(*mine, *theirs, nullptr), 0) << "use " << use;
        ++use;
    }
}

// A tall picture is decoded in bands side by side; every row, on both sides of each seam, is
// what the toolkit's own reader makes of the file, at full size and shrunk by the decoder.
TEST_F(PictureCompositionTest, APictureDecodedInBandsIsTheFileDecodedInOnePass) {
    JpegFile("tall.jpg", 96, 1000, 5);
    const QString path = QString::fromStdString((environment.AppFolder() / "tall.jpg").string());
    for (const int eighths : {8, 6}) {
        const auto reader = PictureReader(path);
        reader->setScaledSize(QSize(96 * eighths / 8, 1000 * eighths / 8));
        const QImage expected = ReadBoundedImage(*reader).convertToFormat(QImage::Format_RGB888);
        ASSERT_FALSE(expected.isNull());
        for (const QImage::Format format : {QImage::Format_RGB888, QImage::Format_RGB32}) {
            QImage decoded(expected.size(), format);
            ASSERT_TRUE(DecodeJpegTopRows(path, decoded, eighths)) << eighths;
            decoded = decoded.convertToFormat(QImage::Format_RGB888);
            int differentRows = 0;
            for (int y = 0; y < expected.height(); ++y)
                differentRows += std::memcmp(decoded.constScanLine(y), expected.constScanLine(y),
                                             static_cast<size_t>(expected.width()) * 3) != 0;
            EXPECT_EQ(differentRows, 0) << eighths << "/8, format " << format;
        }
    }
}
