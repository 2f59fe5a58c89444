#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Picture.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <functional>
#include <vector>

namespace {
constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kRed = RGB(255, 0, 0);
constexpr Color kBlue = RGB(0, 0, 255);

class GraphicsTest : public IsolatedTest {
  protected:
    Picture canvas{40, 30};
    Graphics& g = canvas.Graphics();
    void SetUp() override { g.ForeColor = kRed; }
};

const std::vector<int> kTriangle = {0, 0, 20, 0, 0, 20}, kTwoCorners = {1, 1, 5, 5};

// A white 40 x 30 picture with the drawing done in red by a pen of that size.
PicturePtr Drawn(int pen, const std::function<void(Graphics&)>& draw) {
    auto picture = std::make_shared<Picture>(40, 30);
    picture->Graphics().ForeColor = kRed;
    picture->Graphics().PenWidth = picture->Graphics().PenHeight = pen;
    draw(picture->Graphics());
    return picture;
}
} // namespace

// Each shape: the box its ink fills, the number of red pixels where it is known, a pixel that
// stays white, and never a blended pixel.
TEST_F(GraphicsTest, ShapesCoverExactlyTheirPixelsWithoutBlending) {
    const struct {
        PixelBounds ink;
        int count; // -1: not counted
        int clearX, clearY;
        PicturePtr picture;
    } cases[] = {
        {{3, 4, 7, 9}, 30, 0, 0, Drawn(1, [](auto& g) { g.FillRect(3, 4, 5, 6); })},
        {{2, 2, 7, 6}, 2 * 6 + 2 * 3, 4, 4, Drawn(1, [](auto& g) { g.DrawRect(2, 2, 6, 5); })},
        // A thick pen draws inside a rectangle and hangs below and right of a line.
        {{0, 0, 9, 9}, 100 - 36, 2, 5, Drawn(2, [](auto& g) { g.DrawRect(0, 0, 10, 10); })},
        {{5, 3, 6, 13}, 2 * 11, 0, 0, Drawn(2, [](auto& g) { g.DrawLine(5, 3, 5, 12); })},
        // Lines include both end points.
        {{2, 5, 12, 5}, 11, 13, 5, Drawn(1, [](auto& g) { g.DrawLine(2, 5, 12, 5); })},
        {{25, 10, 30, 15}, 6, 26, 10, Drawn(1, [](auto& g) { g.DrawLine(25, 10, 30, 15); })},
        // Round shapes leave the corners of their box clear.
        {{5, 5, 24, 16}, -1, 15, 11, Drawn(1, [](auto& g) { g.DrawOval(5, 5, 20, 12); })},
        {{4, 4, 23, 19}, -1, 4, 4, Drawn(1, [](auto& g) { g.FillRoundRect(4, 4, 20, 16, 8, 8); })},
        {{0, 0, 19, 19}, -1, 15, 15, Drawn(1, [](auto& g) { g.FillPolygon(kTriangle); })},
        {{}, 0, 1, 1, Drawn(1, [](auto& g) { g.FillPolygon(kTwoCorners); })},
        // Drawing is clipped to the surface.
        {{35, 25, 39, 29}, 25, 34, 29, Drawn(1, [](auto& g) { g.FillRect(35, 25, 100, 100); })},
        {{0, 29, 39, 29}, 40, 0, 28, Drawn(1, [](auto& g) { g.DrawLine(-5, 29, 100, 29); })},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Picture& picture = *cases[i].picture;
        SCOPED_TRACE(i);
        EXPECT_EQ(InkBounds(picture), cases[i].ink);
        EXPECT_EQ(CountPixels(picture, kRed) + CountPixels(picture, kWhite), 40 * 30);
        if (cases[i].count >= 0) {
            EXPECT_EQ(CountPixels(picture, kRed), cases[i].count);
        }
        EXPECT_EQ(picture.Pixel(cases[i].clearX, cases[i].clearY), kWhite);
    }
}

TEST_F(GraphicsTest, DrawPictureAtNaturalSizeAndStretchedFromASourceRectangle) {
    Picture source(4, 2);
    source.SetPixel(0, 0, kBlue);
    source.SetPixel(1, 0, kRed);
    source.SetPixel(2, 1, RGB(0, 128, 0));
    g.DrawPicture(source, 10, 10);
    EXPECT_EQ(canvas.Pixel(11, 10), kRed);
    EXPECT_EQ(canvas.Pixel(12, 11), RGB(0, 128, 0));

    // Source (0,0)-(1,0), 2 x 1, stretched to 8 x 4: each source pixel becomes a 4 x 4 block.
    Picture stretched(20, 20);
    stretched.Graphics().DrawPicture(source, 0, 0, 8, 4, 0, 0, 2, 1);
    EXPECT_EQ(stretched.Pixel(3, 3), kBlue);
    EXPECT_EQ(stretched.Pixel(4, 0), kRed);
    EXPECT_EQ(InkBounds(stretched), (PixelBounds{0, 0, 7, 3}));

    // A source rectangle reaching past the picture draws only the part inside it.
    Picture partial(20, 20);
    partial.Graphics().DrawPicture(source, 0, 0, 8, 8, 0, 0, 2, 2 * 2);
    EXPECT_EQ(partial.Pixel(0, 0), kBlue);
    EXPECT_EQ(partial.Pixel(0, 7), kWhite);
    EXPECT_THROW(g.DrawPicture(PicturePtr(), 0, 0), NilObjectException);
}

TEST_F(GraphicsTest, DrawPictureHonoursTheMaskAndTheTransparentFlag) {
    Picture source(3, 1);
    for (int x = 0; x < 3; ++x)
        source.SetPixel(x, 0, kBlue);
    EXPECT_FALSE(source.HasMask());
    Picture& mask = source.Mask();
    EXPECT_EQ(mask.Pixel(1, 0), RGB(0, 0, 0)); // a new mask shows everything
    mask.SetPixel(1, 0, RGB(255, 255, 255));   // hides
    mask.SetPixel(2, 0, RGB(128, 128, 128));   // shows about half

    Picture target(3, 1);
    target.Graphics().ForeColor = kRed;
    target.Graphics().FillRect(0, 0, 3, 1);
    target.Graphics().DrawPicture(source, 0, 0);
    EXPECT_EQ(target.Pixel(0, 0), kBlue);
    EXPECT_EQ(target.Pixel(1, 0), kRed);
    EXPECT_NEAR(target.Pixel(2, 0).r, 128, 2);

    // The mask drawn through its own Graphics takes effect too.
    mask.Graphics().ForeColor = RGB(255, 255, 255);
    mask.Graphics().FillRect(0, 0, 1, 1);
    target.Graphics().FillRect(0, 0, 3, 1);
    target.Graphics().DrawPicture(source, 0, 0);
    EXPECT_EQ(target.Pixel(0, 0), kRed);

    Picture white(2, 1);
    white.SetPixel(1, 0, kBlue);
    white.SetTransparent(1);
    Picture under(2, 1);
    under.Graphics().ForeColor = kRed;
    under.Graphics().FillRect(0, 0, 2, 1);
    under.Graphics().DrawPicture(white, 0, 0, 2, 1, 0, 0, 2, 1);
    EXPECT_EQ(under.Pixel(0, 0), kRed);
    EXPECT_EQ(under.Pixel(1, 0), kBlue);
}

TEST_F(GraphicsTest, APictureDrawnIntoItselfReadsItsFormerPixels) {
    g.FillRect(0, 0, 2, 2);
    g.DrawPicture(canvas, 2, 0);
    EXPECT_EQ(InkBounds(canvas), (PixelBounds{0, 0, 3, 1}));
}

TEST_F(GraphicsTest, APainterSurfaceDrawsAtItsOriginAndClipsToItsArea) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        auto surface = GraphicsOnPainter(painter, QRect(10, 5, 8, 6));
        EXPECT_EQ(surface->Width(), 8);
        surface->ForeColor = kRed;
        surface->FillRect(0, 0, 100, 100);
    }
    EXPECT_EQ(image.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(17, 10), qRgb(255, 0, 0));
    for (const auto& [x, y] : {std::pair{18, 10}, {9, 5}, {10, 11}})
        EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}
