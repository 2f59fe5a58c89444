#include "windows/AboutWindow.h"

#include "app/App.h"
#include "customisation/BuiltInPictures.h"
#include "customisation/CustomizationModule.h"
#include "platform/Graphics.h"
#include "platform/Screen.h"
#include "platform/ShowURL.h"
#include "platform/Text.h"

#include <cmath>
#include <memory>

namespace {
StaticText& AddText(Window& window, const char* name, int left, int top, int width, int height,
                    const char* font, int size, Color color, int align, const std::string& text) {
    StaticText& label = window.AddControl(std::make_unique<StaticText>(), name);
    label.SetBounds(left, top, width, height);
    label.TextFont = font;
    label.TextSize = size;
    label.SetTextColor(color);
    label.TextAlign = align;
    label.SetText(text);
    return label;
}

// The product's own edition names no vendor of its own beside it.
bool OwnEdition() {
    return InStr(Customization().vendorName, "Ombrelline") > 0;
}
} // namespace

AboutWindow::AboutWindow() {
    Layout();
    CreateControls();
}

AboutWindow& AboutWindow::Instance() {
    return OpenVisibleWindow<AboutWindow>();
}

void AboutWindow::Layout() {
    SetWidth(397);
    SetHeight(347);
    SetFrame(Floating);
    HasBackColor = false;
    SetTitle(" Ombrelline Calendar");
}

void AboutWindow::CreateControls() {
    CreateControls0();
}

void AboutWindow::CreateControls0() {
    Copyright = &AddText(*this, "Copyright", 16, 314, 364, 33, "Arial", 9, RGB(0x33, 0x33, 0x33),
                         StaticText::AlignCenter, AboutText::kCopyright);
    Copyright->Italic = true;
    Copyright->LockLeft = Copyright->LockRight = Copyright->LockBottom = true;
    Copyright->OnOpen = [this] { Copyright_Open(); };

    websiteText = &AddText(*this, "websiteText", 8, 0, 165, 16, "System", 10, RGB(0x1A, 0x1A, 0x1A),
                           StaticText::AlignLeft, AboutText::kWebsite);
    websiteText->Italic = true;
    websiteText->OnMouseDown = [this](int x, int y) { return websiteText_MouseDown(x, y); };
    websiteText->OnOpen = [this] { websiteText_Open(); };

    OrginizationText = &AddText(*this, "OrginizationText", 8, 111, 381, 44, "Tahoma", 24,
                                RGB(0x24, 0x24, 0x24), StaticText::AlignCenter, "Trennick Inc.");
    OrginizationText->Bold = true;
    OrginizationText->OnOpen = [this] { OrginizationText_Open(); };

    versionText = &AddText(*this, "versionText", 222, 0, 167, 16, "Arial", 11,
                           RGB(0x3F, 0x3F, 0x3F), StaticText::AlignRight, "-");
    versionText->OnOpen = [this] { versionText_Open(); };

    ZantriqueText =
        &AddText(*this, "ZantriqueText", 70, 33, 257, 61, "Tahoma", 24, RGB(0x24, 0x24, 0x24),
                 StaticText::AlignCenter, "A Ombrelline Calendar");
    ZantriqueText->Multiline = true;

    StaticText3 = &AddText(*this, "StaticText3", 118, 93, 161, 20, "System", 12,
                           RGB(0x3F, 0x3F, 0x3F), StaticText::AlignCenter, "in association with");
    StaticText3->Italic = true;
    StaticText3->OnOpen = [this] { StaticText3_Open(); };

    customImageCanvas = &AddControl(std::make_unique<Canvas>(), "customImageCanvas");
    customImageCanvas->SetBounds(8, 157, 381, 145);
    customImageCanvas->OnPaint = [this](Graphics& g) { customImageCanvas_Paint(g); };
}

void AboutWindow::Copyright_Open() {
    const std::string& other = Customization().otherCopyright;
    if (other.empty()) return;
    Copyright->SetText(Copyright->Text() + "\r" + other);
    Copyright->Multiline = true;
}

bool AboutWindow::websiteText_MouseDown(int, int) {
    ShowURL(websiteText->Text());
    return false;
}

void AboutWindow::websiteText_Open() {
    websiteText->SetCursor(MouseCursor::Finger);
}

void AboutWindow::OrginizationText_Open() {
    OrginizationText->SetVisible(!OwnEdition());
    OrginizationText->SetText(Customization().vendorName);
}

void AboutWindow::versionText_Open() {
    versionText->SetText(App().ShortVersion());
}

void AboutWindow::StaticText3_Open() {
    StaticText3->SetVisible(!OwnEdition());
}

void AboutWindow::customImageCanvas_Paint(Graphics& g) {
    const double width = customImageCanvas->Width(), height = customImageCanvas->Height();
    if (const PicturePtr& picture = Customization().customAboutWindowImage) {
        // Absolute offsets: a picture larger than the area keeps its top-left corner inside
        // it rather than being centred on it.
        const int x = static_cast<int>(std::abs(width / 2 - picture->Width() / 2.0));
        const int y = static_cast<int>(std::abs(height / 2 - picture->Height() / 2.0));
        g.DrawPicture(*picture, x, y);
        return;
    }
    if (const PicturePtr logo = Ombrellinelogographic())
        g.DrawPicture(*logo, 0, static_cast<int>(height / 2 - logo->Height() / 2.0));
}

void AboutWindow::Event_Open() {
    // Centred on the whole screen, a little above the middle.
    CentreOnMainScreen(*this, 32);
}

void AboutWindow::Event_Paint(Graphics& g) {
    // The background picture's leftmost column, stretched over the whole window.
    if (const PicturePtr background = customAboutWindowBackground())
        g.DrawPicture(*background, 0, 0, Width(), Height(), 0, 0, 1, background->Height());
}
