#pragma once
// A panel with tabs along its top edge. The controls on it have it as their parent, so they
// show and hide with it. The designs here have one tab each, so the first tab is the selected
// one and clicks on the tabs change nothing.
#include "platform/Control.h"

#include <string>
#include <vector>

class TabPanel : public RectControl {
  public:
    TabPanel();

    const std::vector<std::string>& Tabs() const { return tabs_; }
    void SetTabs(std::vector<std::string> captions);
    std::string TextFont = "System";
    int TextSize = 0;

  private:
    std::vector<std::string> tabs_;
};
