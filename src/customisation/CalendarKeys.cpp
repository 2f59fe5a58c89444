#include "customisation/CalendarKeys.h"

#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Log.h"
#include "platform/Text.h"

#include <algorithm>
#include <cmath>

namespace CalendarKeys {

std::string Text(const std::string& calspc, const std::string& key) {
    CalendarValue value = CustomizationModule::ParseSpec(calspc, key);
    std::string* text = std::get_if<std::string>(&value);
    return text ? std::move(*text) : std::string();
}

bool Flag(const std::string& calspc, const std::string& key) {
    return TextEquals(Text(calspc, key), "True");
}

bool FlagByConversion(const std::string& calspc, const std::string& key) {
    const std::string value = Text(calspc, key);
    return TextEquals(value, "True") || Val(value) != 0;
}

int Integer(const std::string& calspc, const std::string& key) {
    const double value = Val(Text(calspc, key));
    return static_cast<int>(std::clamp(std::trunc(value), -2147483648.0, 2147483647.0));
}

double Number(const std::string& calspc, const std::string& key) {
    return Val(Text(calspc, key));
}

Color ColorOf(const std::string& calspc, const std::string& key) {
    const CalendarValue value = CustomizationModule::ParseSpec(calspc, key);
    const Color* colour = std::get_if<Color>(&value);
    return colour ? *colour : Color{};
}

void PictureFile(const std::string& calspc, const std::string& key, PicturePtr& property) {
    const std::string name = Text(calspc, key);
    const FolderItem item = Customization().DefaultCalendarFolder.ChildIgnoringCase(name);
    if (item.IsNone()) return;
    property = OpenArtwork(item, name, key);
}

PicturePtr OpenArtwork(const FolderItem& item, const std::string& name, const std::string& key) {
    PicturePtr picture = item.OpenAsPicture();
    // An empty name gives the folder itself: no picture, and nothing worth a line.
    if (!picture && !name.empty()) LogProblem("cannot read the picture of " + key, item.Path());
    return picture;
}

void EndApplication(const char* message) {
    LogProblem(std::string("quitting: ") + message);
    MsgBox(message);
    if (Application* application = Application::Instance()) application->Quit(0);
}

bool ApplicationEnding() {
    const Application* application = Application::Instance();
    return application && application->QuitRequested();
}

} // namespace CalendarKeys
