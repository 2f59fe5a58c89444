#pragma once
// A picture in memory: 32-bit RGB pixels, an optional grey-level mask and a white-is-clear
// flag. Pictures are shared by reference (PicturePtr); nullptr means "no picture".
#include "platform/Color.h"

#include <filesystem>
#include <memory>

class Graphics;
class Picture;
using PicturePtr = std::shared_ptr<Picture>;

class Picture {
  public:
    // A new picture of that size, all white. Negative sizes count as 0; an empty picture draws
    // nothing and takes no drawing.
    Picture(int width, int height, int depth = 32);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    int Width() const;
    int Height() const;
    int Depth() const;

    // Draws into this picture. The same object, with its settings, on every call.
    ::Graphics& Graphics();

    // The grey-level mask, of the picture's size: black shows a pixel, white hides it, grey
    // shows it partly. Made on first use, all black, so making it changes nothing.
    Picture& Mask();
    bool HasMask() const;

    // 1: white pixels are left out when the picture is drawn.
    int Transparent() const;
    void SetTransparent(int value);

    // Single pixels; outside the picture Pixel gives black and SetPixel does nothing.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color color);

    // Writes the picture in the format its extension names (png, jpg, bmp); false on failure.
    bool Save(const std::filesystem::path& path) const;

    struct Impl;
    Impl& Internals() const { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
};
