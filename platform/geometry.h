#pragma once

namespace tolarka::platform {

// Widgets are laid out in twips, as the screens are designed; 15 twips make one pixel.
constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) {
    // Round to nearest, halves away from zero, for negative positions too.
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int PixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool Contains(int x, int y) const {
        return x >= left && y >= top && x < left + width && y < top + height;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace tolarka::platform
