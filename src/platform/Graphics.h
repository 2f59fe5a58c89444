#pragma once
// A drawing surface: a picture's pixels, or a control's area on the screen. Coordinates are
// pixels from the surface's top-left corner; everything drawn is clipped to the surface.
// Shapes are drawn without antialiasing, so their pixels are exact.
#include "platform/Color.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Picture;

class Graphics {
  public:
    struct Impl;
    explicit Graphics(std::unique_ptr<Impl> impl);
    ~Graphics();
    Graphics(const Graphics&) = delete;
    Graphics& operator=(const Graphics&) = delete;

    // Drawing settings; they stay until changed.
    Color ForeColor;
    std::string TextFont = "System"; // a family name; see ResolveFontFamily
    int TextSize = 0;                // pixels; 0 is the default size, 12
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int PenWidth = 1;
    int PenHeight = 1;

    int Width() const;
    int Height() const;

    // Text: y is the baseline of the first line. Carriage returns and line feeds break lines;
    // a wrap width above 0 also breaks lines between words to keep them within it. Of a text
    // of more than 64 KB drawn unwrapped, only the beginning of its first line that reaches the
    // surface's right edge is drawn.
    void DrawString(std::string_view text, double x, double y, double wrapWidth = 0);
    double StringWidth(std::string_view text) const;
    // The width of text where it is at most limit; a wider text gives some width above limit,
    // from measuring only a beginning that reaches past it.
    double StringWidth(std::string_view text, double limit) const;
    double StringHeight(std::string_view text, double wrapWidth) const;
    int TextAscent() const;
    int TextHeight() const; // the distance from one line's baseline to the next

    // Lines include both end points; the pen hangs right of and below the line.
    void DrawLine(int x1, int y1, int x2, int y2);
    // Rectangles cover x to x + width - 1 and y to y + height - 1; outlines lie inside them.
    void DrawRect(int x, int y, int width, int height);
    void FillRect(int x, int y, int width, int height);
    void DrawRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight);
    void FillRoundRect(int x, int y, int width, int height, int arcWidth, int arcHeight);
    void DrawOval(int x, int y, int width, int height);
    void FillOval(int x, int y, int width, int height);
    // points holds x1, y1, x2, y2, ... of the polygon's corners.
    void FillPolygon(const std::vector<int>& points);

    // Draws a picture at its own size, or a source rectangle of it stretched to a destination
    // rectangle (nearest pixel). The picture's mask and its Transparent flag are honoured.
    void DrawPicture(const Picture& picture, int x, int y);
    void DrawPicture(const Picture& picture, int x, int y, int width, int height, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight);
    // The same for a shared picture; nullptr raises NilObjectException.
    void DrawPicture(const std::shared_ptr<Picture>& picture, int x, int y);
    void DrawPicture(const std::shared_ptr<Picture>& picture, int x, int y, int width, int height,
                     int sourceX, int sourceY, int sourceWidth, int sourceHeight);

    Impl& Internals() const { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
};
