#include "controls/cCanvas.h"

#include "app/App.h"
#include "controls/CountdownText.h"
#include "customisation/BuiltInPictures.h"
#include "platform/Graphics.h"
#include "platform/Text.h"

#include <memory>

namespace {
struct LineStyle {
    Color colour;
    const char* font;
    int size;
    bool bold;
};

// Each line is centred a little left of the middle, where the badge's page lies.
void DrawCentred(Graphics& g, int pictureWidth, const std::string& text, int baseline) {
    const double x = pictureWidth / 2.0 - g.StringWidth(text) / 2.0 - 5;
    g.DrawString(text, static_cast<int>(x), baseline);
}

void Use(Graphics& g, const LineStyle& style) {
    g.ForeColor = style.colour;
    g.TextFont = style.font;
    g.TextSize = style.size;
    g.Bold = style.bold;
}

void DrawTitle(Graphics& g, int pictureWidth, const std::string& title) {
    Use(g, {RGB(40, 40, 40), "Arial", 12, true});
    if (static_cast<int>(g.StringWidth(title)) < kBadgeTitleWidth) {
        DrawCentred(g, pictureWidth, title, 80);
    } else if (title.find(' ') != std::string::npos) {
        const TitleLines lines = SplitTitle(title);
        DrawCentred(g, pictureWidth, lines.first, 76);
        DrawCentred(g, pictureWidth, lines.second, 88);
    } else {
        g.TextSize = 11;
        DrawCentred(g, pictureWidth, title, 80);
    }
}
} // namespace

void cCanvas::SettleCountdownDate() {
    app& application = App();
    if (application.eventDict.HasKey(application.countdownDate.SQLDateTime())) return;
    // Without a countdown the badge counts to Christmas of the year the program started in, at
    // midnight as the editor stores it: opening and closing the editor must not change the count.
    application.countdownDate = Date(application.countdownDate.Year(), 12, 25);
}

void cCanvas::updateCountdown() {
    app& application = App();
    const Date now;
    const std::string key = application.countdownDate.SQLDateTime();
    // Each line is centred on its whole width: of a title of megabytes (a large file read as
    // the event file), only a beginning longer than any ordinary title is measured and laid out.
    const std::string title(
        Utf8Beginning(CountdownTitle(application.eventDict, key), kLongestBadgeTitle));
    SettleCountdownDate();
    const CountdownCount count = CountdownDays(application.countdownDate, now);

    const PicturePtr art = countdown(); // raises when the picture is missing
    Picture badge(art->Width(), art->Height());
    Graphics& g = badge.Graphics();
    g.DrawPicture(*art, 0, 0);
    Use(g, {RGB(50, 50, 50), "Impact", 18, false});
    DrawCentred(g, art->Width(), Str(static_cast<long long>(count.number)), 44);
    Use(g, {RGB(120, 120, 120), "Arial", 12, false});
    DrawCentred(g, art->Width(), CountdownLabel(count), 60);
    DrawTitle(g, art->Width(), title);

    auto image = std::make_shared<Picture>(Width(), Height());
    image->Graphics().DrawPicture(badge, 0, 0);
    if (const PicturePtr mask = countdownmask()) image->Mask().Graphics().DrawPicture(*mask, 0, 0);
    cachedImage = std::move(image);
}
