#pragma once
// The owner-drawn canvas of the main window: it keeps a drag's start point, a cached picture
// that its owner draws from, and the text and scroll offset of what it shows.
#include "platform/Canvas.h"
#include "platform/Picture.h"

#include <string>

class cCanvas : public Canvas {
  public:
    int InX = 0;
    int InY = 0;
    bool iMoved = false;
    PicturePtr cachedImage;
    std::string currentText;
    int scrollLeft = 0;

    // Recomputes the countdown badge into cachedImage; the canvas shows it when next painted.
    void updateCountdown();
    // The countdown's date as the badge counts to it: without a countdown entry, Christmas.
    void SettleCountdownDate();
};
