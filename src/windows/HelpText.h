#pragma once
// The help window's topics and the pages they show, in the contents list's order.
#include <array>
#include <string>

namespace HelpText {

inline constexpr int kTopicCount = 6;
extern const std::array<const char*, kTopicCount> kTopics;
// Each page starts with its heading line and an empty line; lines break with a carriage return.
extern const std::array<std::string, kTopicCount> kPages;

} // namespace HelpText
