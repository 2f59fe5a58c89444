#pragma once
// What the week face's handlers share: where the calendar area lies on the main screen.
namespace Glance {

// The top of the calendar area: the available height times the title area's share.
double AreaTop();
// The height of the calendar area.
double AreaHeight();
// The text size of the week lists on the main screen: 11 below 769 pixels, 10 below 601.
int ListTextSize(int designSize);

} // namespace Glance
