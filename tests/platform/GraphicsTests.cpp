#include "platform/Exceptions.h"
#include "platform/Graphics.h"
#include "platform/GraphicsQt.h"
#include "platform/Picture.h"

#include "support/PictureTestSupport.h"
#include "support/TestEnvironment.h"

#include <set>

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

TEST_F(GraphicsTest, NewPictureIsWhiteAndKeepsOneGraphicsWithItsSettings) {
    EXPECT_EQ(CountPixels(canvas, kWhite), 40 * 30);
    EXPECT_EQ(canvas.Depth(), 32);
    g.TextSize = 17;
    g.Bold = true;
    EXPECT_EQ(&canvas.Graphics(), &g);
    EXPECT_EQ(canvas.Graphics().TextSize, 17);
    EXPECT_TRUE(canvas.Graphics().Bold);
    EXPECT_EQ(g.Width(), 40);
    EXPECT_EQ(g.Height(), 30);
}

TEST_F(GraphicsTest, RectanglesCoverExactlyTheirWidthAndHeight) {
    g.FillRect(3, 4, 5, 6);
    EXPECT_EQ(InkBounds(canvas), (PixelBounds{3, 4, 7, 9}));
    EXPECT_EQ(CountPixels(canvas, kRed), 30);

    Picture frame(20, 20);
    frame.Graphics().ForeColor = kBlue;
    frame.Graphics().DrawRect(2, 2, 6, 5);
    EXPECT_EQ(InkBounds(frame), (PixelBounds{2, 2, 7, 6}));
    EXPECT_EQ(CountPixels(frame, kBlue), 2 * 6 + 2 * 3);
    EXPECT_EQ(frame.Pixel(4, 4), kWhite);
}

TEST_F(GraphicsTest, ThickPenDrawsInsideRectanglesAndHangsBelowLines) {
    g.PenWidth = 2;
    g.PenHeight = 2;
    g.DrawRect(0, 0, 10, 10);
    EXPECT_EQ(InkBounds(canvas), (PixelBounds{0, 0, 9, 9}));
    EXPECT_EQ(canvas.Pixel(1, 5), kRed);
    EXPECT_EQ(canvas.Pixel(2, 5), kWhite);

    Picture line(20, 20);
    Graphics& lg = line.Graphics();
    lg.PenWidth = 2;
    lg.PenHeight = 2;
    lg.DrawLine(5, 3, 5, 12);
    EXPECT_EQ(InkBounds(line), (PixelBounds{5, 3, 6, 13}));
}

TEST_F(GraphicsTest, LinesIncludeBothEndPoints) {
    g.DrawLine(2, 5, 12, 5);
    g.DrawLine(20, 2, 20, 9);
    g.DrawLine(25, 10, 30, 15);
    for (const auto& [x, y] : std::set<std::pair<int, int>>{
             {2, 5}, {12, 5}, {20, 2}, {20, 9}, {25, 10}, {30, 15}, {27, 12}})
        EXPECT_EQ(canvas.Pixel(x, y), kRed) << x << "," << y;
    EXPECT_EQ(canvas.Pixel(13, 5), kWhite);
    EXPECT_EQ(canvas.Pixel(20, 10), kWhite);
    EXPECT_EQ(CountPixels(canvas, kRed), 11 + 8 + 6);
}

TEST_F(GraphicsTest, OvalsAndRoundRectsStayInTheirBoxesWithoutAntialiasing) {
    g.FillOval(2, 3, 11, 7);
    EXPECT_EQ(InkBounds(canvas), (PixelBounds{2, 3, 12, 9}));
    EXPECT_EQ(canvas.Pixel(2, 3), kWhite); // corners of the box stay clear

    Picture outline(40, 30);
    outline.Graphics().ForeColor = kRed;
    outline.Graphics().DrawOval(5, 5, 20, 12);
    EXPECT_EQ(InkBounds(outline), (PixelBounds{5, 5, 24, 16}));
    EXPECT_EQ(outline.Pixel(15, 11), kWhite);

    Picture round(40, 30);
    round.Graphics().ForeColor = kRed;
    round.Graphics().FillRoundRect(4, 4, 20, 16, 8, 8);
    round.Graphics().DrawRoundRect(26, 4, 10, 10, 4, 4);
    EXPECT_EQ(InkBounds(round), (PixelBounds{4, 4, 35, 19}));
    EXPECT_EQ(round.Pixel(4, 4), kWhite);
    EXPECT_EQ(round.Pixel(14, 4), kRed);

    // Every pixel is either untouched or the pen's colour: nothing is blended.
    for (const Picture* picture : {&canvas, &outline, &round})
        EXPECT_EQ(CountPixels(*picture, kRed) + CountPixels(*picture, kWhite), 40 * 30);
}

TEST_F(GraphicsTest, FillPolygonFillsTheInside) {
    g.FillPolygon({0, 0, 20, 0, 0, 20});
    EXPECT_EQ(canvas.Pixel(2, 2), kRed);
    EXPECT_EQ(canvas.Pixel(15, 15), kWhite);
    EXPECT_EQ(InkBounds(canvas).left, 0);
    g.FillPolygon({1, 1, 5, 5}); // fewer than three corners: nothing
    EXPECT_EQ(CountPixels(canvas, kRed) + CountPixels(canvas, kWhite), 40 * 30);
}

TEST_F(GraphicsTest, DrawingIsClippedToTheSurface) {
    g.FillRect(-10, -10, 15, 15);
    g.FillRect(35, 25, 100, 100);
    g.DrawLine(-5, 29, 100, 29);
    EXPECT_EQ(canvas.Pixel(0, 0), kRed);
    EXPECT_EQ(canvas.Pixel(4, 4), kRed);
    EXPECT_EQ(canvas.Pixel(5, 5), kWhite);
    EXPECT_EQ(canvas.Pixel(39, 29), kRed);
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
