#pragma once
// The conversions the calendar load applies to calendar file values, and how the load ends
// the application when it cannot go on.
#include "customisation/CustomizationModule.h"

#include <string>

namespace CalendarKeys {

// The value text of a key; empty when the file does not hold the key.
std::string Text(const std::string& calspc, const std::string& key);
// True exactly when the value is "True", letter case ignored, nothing trimmed.
bool Flag(const std::string& calspc, const std::string& key);
// The framework's conversion of text to a flag: "True" in any case, or a number other than 0.
bool FlagByConversion(const std::string& calspc, const std::string& key);
// The leading number of the value; 0 when there is none.
int Integer(const std::string& calspc, const std::string& key);
double Number(const std::string& calspc, const std::string& key);
// The colour of a colour key.
Color ColorOf(const std::string& calspc, const std::string& key);

// The picture file rule: the value names a file in the calendar folder. When the folder gives
// no item the property keeps its value; otherwise it becomes the file's picture, or none.
void PictureFile(const std::string& calspc, const std::string& key, PicturePtr& property);
// The picture of item, the file of that name that key gives; none when it is no picture that
// can be read (a pipe, say), with a line on standard error naming the file when a name was
// given.
PicturePtr OpenArtwork(const FolderItem& item, const std::string& name, const std::string& key);

// Shows message, then asks the application to quit with code 0.
void EndApplication(const char* message);
// The application has been asked to quit: the load stops.
bool ApplicationEnding();

} // namespace CalendarKeys
