// The background picture fitted to the screen, and the border lines round the calendar area.
#include "mainwindow/frame/CalendarWindow.h"

#include "customisation/CustomizationModule.h"
#include "platform/Dialogs.h"
#include "platform/Graphics.h"
#include "platform/PictureFunctions.h"
#include "platform/Screen.h"

#include <algorithm>
#include <cmath>

namespace {
// The background scaled to width x height. A picture wider than the screen shows only its left
// part, so only that part is scaled: a long thin picture must not become gigabytes.
PicturePtr FitToHeight(const PicturePtr& background, int width, int height,
                       const ScreenInfo& screen) {
    if (width <= screen.AvailableWidth) return BilinearScale(background, width, height);
    const double scale = static_cast<double>(width) / background->Width();
    const int shownColumns = std::min(
        background->Width(), static_cast<int>(std::ceil(screen.AvailableWidth / scale)) + 1);
    auto shown = std::make_shared<Picture>(shownColumns, background->Height(), 32);
    shown->Graphics().DrawPicture(*background, 0, 0, shownColumns, background->Height(), 0, 0,
                                  shownColumns, background->Height());
    return BilinearScale(shown, static_cast<int>(std::lround(shownColumns * scale)), height);
}
} // namespace

void CalendarWindow::LoadBackgroundImage() {
    CustomizationModule& module = Customization();
    yearDigitsScaled_ = {};
    yearDigitScaleX_ = yearDigitScaleY_ = 0;
    if (!module.vendorName.empty()) SetTitle(module.vendorName + " Calendar");

    const ScreenInfo screen = Screen(0);
    SetTop(screen.AvailableTop);
    SetLeft(screen.AvailableLeft);
    SetWidth(screen.AvailableWidth);
    SetHeight(screen.AvailableHeight);

    BackColor = module.calendarBackgroundColor;
    HasBackColor = true;
    if (Frame() != Document) MsgBox("Need Document window type for MacOS");

    if (!module.backgroundImage) return;
    module.backgroundImage = EnsurePictureBits(module.backgroundImage, 32);
    const PicturePtr& background = module.backgroundImage;
    if (background->Width() <= 0 || background->Height() <= 0) return;
    const int height = screen.AvailableHeight;
    const float width = static_cast<float>(static_cast<double>(height) * background->Width() /
                                           background->Height());
    backgroundImageScaled = FitToHeight(background, static_cast<int>(width), height, screen);

    yearDigitScaleX_ =
        static_cast<float>(static_cast<int>(width) / static_cast<double>(background->Width()));
    yearDigitScaleY_ = static_cast<float>(static_cast<double>(backgroundImageScaled->Height()) /
                                          background->Height());
}

// The mask is scaled with the digit, which so keeps its transparent parts. A digit never grows
// past the screen, whatever the background's shape.
const PicturePtr& CalendarWindow::YearDigitScaled(int digit) {
    static const PicturePtr kNone;
    std::vector<PicturePtr>& digits = Customization().yearNumber;
    if (digit < 0 ||
        static_cast<size_t>(digit) >= std::min(digits.size(), yearDigitsScaled_.size()))
        return kNone;
    PicturePtr& scaled = yearDigitsScaled_[static_cast<size_t>(digit)];
    PicturePtr& picture = digits[static_cast<size_t>(digit)];
    if (scaled || !picture || yearDigitScaleX_ <= 0 || yearDigitScaleY_ <= 0) return scaled;
    picture = EnsurePictureBits(picture, 32);
    const ScreenInfo screen = Screen(0);
    const int w = static_cast<int>(std::min(static_cast<float>(picture->Width()) * yearDigitScaleX_,
                                            static_cast<float>(screen.AvailableWidth)));
    const int h =
        static_cast<int>(std::min(static_cast<float>(picture->Height()) * yearDigitScaleY_,
                                  static_cast<float>(screen.AvailableHeight)));
    scaled = BilinearScale(picture, w, h);
    return scaled;
}

// The fitted background is drawn at the top left when it is at least as large as the screen's
// area, which the window fills.
bool CalendarWindow::PaintCoversWindow() const {
    const ScreenInfo screen = Screen(0);
    return backgroundImageScaled && backgroundImageScaled->Width() >= screen.AvailableWidth &&
           backgroundImageScaled->Height() >= screen.AvailableHeight &&
           Width() <= screen.AvailableWidth && Height() <= screen.AvailableHeight;
}

void CalendarWindow::Event_Paint(Graphics& g) {
    const CustomizationModule& module = Customization();
    const ScreenInfo screen = Screen(0);
    const int aw = screen.AvailableWidth, ah = screen.AvailableHeight;
    if (backgroundImageScaled) {
        const PicturePtr& picture = backgroundImageScaled;
        int x = 0, y = 0;
        if (picture->Width() < aw)
            x = static_cast<int>(aw / 2.0 - picture->Width() / 2.0);
        else if (picture->Height() < ah)
            y = static_cast<int>(ah / 2.0 - picture->Height() / 2.0);
        g.DrawPicture(*picture, x, y);
    }
    const int t = static_cast<int>(ah * module.TitleAreaHeightPercent);
    const int c = static_cast<int>(ah * module.CalendarAreaHeightPercent);
    const auto border = [&](int y) {
        g.ForeColor = RGB(127, 157, 185);
        g.DrawLine(0, y, aw, y);
        g.ForeColor = RGB(255, 255, 255);
        g.DrawLine(0, y + 1, aw, y + 1);
    };
    if (!module.hideTopBorder) border(t);
    if (!module.hideBottomBorder) border(t + c - 2);
}
