#pragma once
// The about box: the product's caption, the edition's vendor, the version, the maker's web
// address (a click opens it) and copyright, over the edition's about picture or the logo.
#include "platform/Canvas.h"
#include "platform/StaticText.h"
#include "platform/Window.h"

class AboutWindow : public Window {
  public:
    AboutWindow();
    // The about window, made and shown on first use; closing it ends it, so the next use
    // builds it afresh from the edition in use.
    static AboutWindow& Instance();

    StaticText* Copyright = nullptr;
    StaticText* websiteText = nullptr;
    StaticText* OrginizationText = nullptr;
    StaticText* versionText = nullptr;
    StaticText* ZantriqueText = nullptr;
    StaticText* StaticText3 = nullptr;
    Canvas* customImageCanvas = nullptr;

    void Copyright_Open();
    bool websiteText_MouseDown(int x, int y);
    void websiteText_Open();
    void OrginizationText_Open();
    void versionText_Open();
    void StaticText3_Open();
    void customImageCanvas_Paint(Graphics& g);

    void Event_Open() override;
    void Event_Paint(Graphics& g) override;

  private:
    void Layout();
    void CreateControls();
    void CreateControls0();
};

namespace AboutText {
inline constexpr const char* kCopyright =
    "Copyright \u00a9 2026 Ombrelline Calendar. All rights reserved.";
inline constexpr const char* kWebsite = "https://ombrelline.example";
} // namespace AboutText
