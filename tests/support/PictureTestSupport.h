#pragma once
// Helpers for tests that look at the pixels of pictures.
#include "platform/Graphics.h"
#include "platform/Picture.h"
#include "platform/Window.h"

#include <memory>

struct PixelBounds {
    int left = -1, top = -1, right = -1, bottom = -1; // inclusive; -1 when nothing differs
    bool operator==(const PixelBounds&) const = default;
};

// A new picture of one colour.
inline PicturePtr FilledPicture(int width, int height, Color colour) {
    auto picture = std::make_shared<Picture>(width, height);
    picture->Graphics().ForeColor = colour;
    picture->Graphics().FillRect(0, 0, width, height);
    return picture;
}

// The smallest rectangle holding every pixel that is not white.
inline PixelBounds InkBounds(const Picture& picture, Color background = RGB(255, 255, 255)) {
    PixelBounds bounds;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y) == background) continue;
            if (bounds.left < 0 || x < bounds.left) bounds.left = x;
            if (bounds.right < x) bounds.right = x;
            if (bounds.top < 0) bounds.top = y;
            bounds.bottom = y;
        }
    return bounds;
}

// Counts the pixels of exactly that colour.
inline int CountPixels(const Picture& picture, Color color) {
    int count = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            count += picture.Pixel(x, y) == color;
    return count;
}

// The window as it is painted, controls and all.
inline PicturePtr Snapshot(Window& window) {
    auto shot = std::make_shared<Picture>(window.Width(), window.Height());
    window.DrawInto(shot->Graphics(), 0, 0);
    return shot;
}
