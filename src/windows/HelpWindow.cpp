#include "windows/HelpWindow.h"

#include "platform/Screen.h"
#include "windows/HelpText.h"

#include <memory>

HelpWindow::HelpWindow() {
    Layout();
    CreateControls();
}

HelpWindow& HelpWindow::Instance() {
    return OpenVisibleWindow<HelpWindow>();
}

void HelpWindow::Layout() {
    SetWidth(520);
    SetHeight(353);
    SetFrame(Floating);
    HasBackColor = true;
    BackColor = RGB(255, 255, 255);
    SetTitle("Calendar Help");
}

void HelpWindow::CreateControls() {
    CreateControls0();
}

void HelpWindow::CreateControls0() {
    TabPanel1 = &AddControl(std::make_unique<TabPanel>(), "TabPanel1");
    TabPanel1->SetBounds(1, 2, 194, 353);
    TabPanel1->SetTabs({"Contents"});
    TabPanel1->TextFont = "Microsoft Sans Serif";
    TabPanel1->TextSize = 12;
    TabPanel1->LockLeft = TabPanel1->LockTop = TabPanel1->LockBottom = true;

    ContentsList = &AddControl(std::make_unique<ListBox>(), "ContentsList");
    ContentsList->SetBounds(7, 35, 180, 313);
    ContentsList->SetParent(TabPanel1);
    ContentsList->SetDefaultRowHeight(20);
    ContentsList->TextSize = 12;
    ContentsList->Bold = true;
    ContentsList->RequiresSelection = false;
    ContentsList->SetAcceptFocus(true);
    ContentsList->LockLeft = ContentsList->LockTop = ContentsList->LockBottom = true;
    for (const char* topic : HelpText::kTopics)
        ContentsList->AddRow(topic);
    ContentsList->OnOpen = [this] { ContentsList_Open(); };
    ContentsList->OnChange = [this] { ContentsList_Change(); };

    PagePanel1 = &AddControl(std::make_unique<PagePanel>(HelpText::kTopicCount), "PagePanel1");
    PagePanel1->SetBounds(194, 0, 326, 357);
    PagePanel1->LockLeft = PagePanel1->LockTop = PagePanel1->LockRight = PagePanel1->LockBottom =
        true;

    // The pages in their creation order, which is not the order of the topics.
    HelpEdit[1] = &AddPage(1, 1, 343, true);
    HelpEdit[2] = &AddPage(3, 2, 343, true);
    HelpEdit[3] = &AddPage(5, 3, 343, true);
    HelpEdit[0] = &AddPage(0, 0, 343, false);
    HelpEdit[4] = &AddPage(2, 4, 343, true);
    EditField1 = &AddPage(4, -1, 330, true);
}

// A page's text field: index -1 is the one outside the array.
EditField& HelpWindow::AddPage(int page, int index, int height, bool readOnly) {
    auto field = std::make_unique<EditField>(true);
    EditField& added = index < 0 ? AddControl(std::move(field), "EditField1")
                                 : AddControl(std::move(field), "HelpEdit", index);
    // The first page has a place of its own in the design.
    if (page == 0)
        added.SetBounds(203, 5, 316, height);
    else
        added.SetBounds(198, 4, 316, height);
    added.SetTextFont(page == 0 ? "System" : "Arial");
    added.SetTextSize(page == 0 ? 12 : 13);
    added.SetText(HelpText::kPages[static_cast<std::size_t>(page)]);
    added.SetReadOnly(readOnly);
    PagePanel1->Append(page, added);
    return added;
}

void HelpWindow::ContentsList_Open() {
    ContentsList->SetListIndex(0);
}

void HelpWindow::ContentsList_Change() {
    // A cleared selection leaves the page that shows: the panel ignores -1.
    PagePanel1->SetValue(ContentsList->ListIndex());
}

void HelpWindow::Event_Open() {
    CentreOnMainScreen(*this);
}
