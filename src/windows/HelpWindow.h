#pragma once
// The help: a contents list of six topics beside a stack of six scrolling pages, of which the
// selected topic's page shows. The first page can be typed into; nothing typed is kept.
#include "platform/EditField.h"
#include "platform/ListBox.h"
#include "platform/PagePanel.h"
#include "platform/TabPanel.h"
#include "platform/Window.h"

#include <array>

class HelpWindow : public Window {
  public:
    HelpWindow();
    // The help window, made and shown on first use; closing it ends it, so the next use
    // starts again at the first topic.
    static HelpWindow& Instance();

    TabPanel* TabPanel1 = nullptr;
    ListBox* ContentsList = nullptr;
    PagePanel* PagePanel1 = nullptr;
    std::array<EditField*, 5> HelpEdit{};
    EditField* EditField1 = nullptr;

    void ContentsList_Open();
    void ContentsList_Change();
    void Event_Open() override;

  private:
    void Layout();
    void CreateControls();
    void CreateControls0();
    EditField& AddPage(int page, int index, int height, bool readOnly);
};
