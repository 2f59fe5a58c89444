#pragma once
// An RGB colour value.
#include <algorithm>
#include <cstdint>
#include <string_view>

struct Color {
    uint8_t r = 0, g = 0, b = 0;
    constexpr bool operator==(const Color&) const = default;
};

// Components outside 0..255 are held at the nearest end of the range.
constexpr Color RGB(int r, int g, int b) {
    const auto clamp = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
    return Color{clamp(r), clamp(g), clamp(b)};
}

// The framework's conversion of text to a colour: "&hRRGGBB", "&cRRGGBB" or "#RRGGBB", or a
// number read as 0xRRGGBB; black for anything else.
Color ColorFromText(std::string_view text);
