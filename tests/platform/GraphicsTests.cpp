#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Picture.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <functional>

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
} // namespace

// Each shape drawn in red on a white 40 x 30 picture: the box its ink fills, the number of red
// pixels where it is known (-1 where not), a pixel that stays white, and never a blended pixel.
TEST_F(GraphicsTest, ShapesCoverExactlyTheirPixelsWithoutBlending) {
    const struct {
        const char* name;
        std::function<void(Graphics&)> draw;
        PixelBounds ink;
        int count;
        int clearX, clearY;
    } cases[] = {
        {"fill rect", [](Graphics& g) { g.FillRect(3, 4, 5, 6); }, {3, 4, 7, 9}, 30, 0, 0},
        {"frame", [](Graphics& g) { g.DrawRect(2, 2, 6, 5); }, {2, 2, 7, 6}, 2 * 6 + 2 * 3, 4, 4},
        {"thick frame: inside",
         [](Graphics& g) {
             g.PenWidth = g.PenHeight = 2;
             g.DrawRect(0, 0, 10, 10);
         },
         {0, 0, 9, 9},
         100 - 36,
         2,
         5},
        {"thick line: hangs below and right",
         [](Graphics& g) {
             g.PenWidth = g.PenHeight = 2;
             g.DrawLine(5, 3, 5, 12);
         },
         {5, 3, 6, 13},
         2 * 11,
         0,
         0},
        // Lines include both end points.
        {"across", [](Graphics& g) { g.DrawLine(2, 5, 12, 5); }, {2, 5, 12, 5}, 11, 13, 5},
        {"down", [](Graphics& g) { g.DrawLine(20, 2, 20, 9); }, {20, 2, 20, 9}, 8, 20, 10},
        {"diagonal", [](Graphics& g) { g.DrawLine(25, 10, 30, 15); }, {25, 10, 30, 15}, 6, 26, 10},
        {"oval", [](Graphics& g) { g.FillOval(2, 3, 11, 7); }, {2, 3, 12, 9}, -1, 2, 3},
        {"oval outline", [](Graphics& g) { g.DrawOval(5, 5, 20, 12); }, {5, 5, 24, 16}, -1, 15, 11},
        {"round rects",
         [](Graphics& g) {
             g.FillRoundRect(4, 4, 20, 16, 8, 8);
             g.DrawRoundRect(26, 4, 10, 10, 4, 4);
         },
         {4, 4, 35, 19},
         -1,
         4,
         4},
        {"polygon",
         [](Graphics& g) {
             g.FillPolygon({0, 0, 20, 0, 0, 20});
         },
         {0, 0, 19, 19},
         -1,
         15,
         15},
        {"polygon of two corners",
         [](Graphics& g) {
             g.FillPolygon({1, 1, 5, 5});
         },
         {},
         0,
         1,
         1},
        {"clipped to the surface",
         [](Graphics& g) {
             g.FillRect(-10, -10, 15, 15);
             g.FillRect(35, 25, 100, 100);
             g.DrawLine(-5, 29, 100, 29);
         },
         {0, 0, 39, 29},
         25 + 25 + 40 - 5,
         5,
         5},
    };
    for (const auto& c : cases) {
        Picture picture(40, 30);
        picture.Graphics().ForeColor = kRed;
        c.draw(picture.Graphics());
        SCOPED_TRACE(c.name);
        EXPECT_EQ(InkBounds(picture), c.ink);
        EXPECT_EQ(CountPixels(picture, kRed) + CountPixels(picture, kWhite), 40 * 30);
        if (c.count >= 0) {
            EXPECT_EQ(CountPixels(picture, kRed), c.count);
        }
        EXPECT_EQ(picture.Pixel(c.clearX, c.clearY), kWhite);
    }
    Picture empty(0, 0);
    empty.Graphics().FillRect(0, 0, 5, 5); // an empty picture takes no drawing
    EXPECT_EQ(empty.Width(), 0);
}

TEST_F(GraphicsTest, DrawPictureAtNaturalSizeAndStretchedFromASourceRectangle) {
    Picture source(4, 2);
    source.SetPixel(0, 0, kBlue);
    source.SetPixel(1, 0, kRed);
    source.SetPixel(2, 1, RGB(0, 128, 0));
    g.DrawPicture(source, 10, 10);
    EXPECT_EQ(canvas.Pixel(10, 10), kBlue);
    EXPECT_EQ(canvas.Pixel(11, 10), kRed);
    EXPECT_EQ(canvas.Pixel(12, 11), RGB(0, 128, 0));

    // Source (0,0)-(1,0), 2 x 1, stretched to 8 x 4: each source pixel becomes a 4 x 4 block.
    Picture stretched(20, 20);
    stretched.Graphics().DrawPicture(source, 0, 0, 8, 4, 0, 0, 2, 1);
    EXPECT_EQ(stretched.Pixel(0, 0), kBlue);
    EXPECT_EQ(stretched.Pixel(3, 3), kBlue);
    EXPECT_EQ(stretched.Pixel(4, 0), kRed);
    EXPECT_EQ(stretched.Pixel(7, 3), kRed);
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
    EXPECT_TRUE(source.HasMask());
    EXPECT_EQ(mask.Width(), 3);
    EXPECT_EQ(mask.Pixel(1, 0), RGB(0, 0, 0)); // a new mask shows everything
    mask.SetPixel(1, 0, RGB(255, 255, 255));   // hides
    mask.SetPixel(2, 0, RGB(128, 128, 128));   // shows about half

    Picture target(3, 1);
    target.Graphics().ForeColor = kRed;
    target.Graphics().FillRect(0, 0, 3, 1);
    target.Graphics().DrawPicture(source, 0, 0);
    EXPECT_EQ(target.Pixel(0, 0), kBlue);
    EXPECT_EQ(target.Pixel(1, 0), kRed);
    const Color blend = target.Pixel(2, 0);
    EXPECT_NEAR(blend.r, 128, 2);
    EXPECT_NEAR(blend.b, 127, 2);

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
    EXPECT_EQ(canvas.Pixel(2, 0), kRed);
    EXPECT_EQ(canvas.Pixel(3, 1), kRed);
    EXPECT_EQ(canvas.Pixel(4, 0), kWhite);
}

TEST_F(GraphicsTest, APainterSurfaceDrawsAtItsOriginAndClipsToItsArea) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        auto surface = GraphicsOnPainter(painter, QRect(10, 5, 8, 6));
        EXPECT_EQ(surface->Width(), 8);
        EXPECT_EQ(surface->Height(), 6);
        surface->ForeColor = kRed;
        surface->FillRect(0, 0, 100, 100);
    }
    EXPECT_EQ(image.pixel(10, 5), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(17, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(18, 10), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(9, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(10, 11), qRgb(255, 255, 255));
}
