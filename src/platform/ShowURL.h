#pragma once
#include <string>

// Opens a web page or a mail link in the user's browser or mail program, through the system's
// opener (xdg-open), which gets the link as its one argument and no shell sees it. Only http,
// https and mailto links are opened; a bare "www." address is taken as http. Anything else,
// the empty link included, is refused (false) with a line on standard error.
bool ShowURL(const std::string& url);

// The link as it would be opened: the "www." address completed, blanks round it removed.
std::string CompletedURL(const std::string& url);
