#pragma once
// A place for a movie. This desktop plays none: the player keeps its settings and stays still.
#include "platform/Control.h"

class MoviePlayer : public RectControl {
  public:
    int PlayerType = 0;
    int ControllerType = 0;
    bool AutoPlay = false;
    bool Looping = false;
    bool Palindrome = false;
    bool AutoResize = false;
    bool HasBorder = false;
    bool SpeakerVisible = false;
    bool HasStep = false;
};
