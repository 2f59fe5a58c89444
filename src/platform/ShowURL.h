#pragma once
#include <string>

// Opens a web page or a mail link in the user's browser or mail program. Only http, https and
// mailto links are opened; anything else is refused (false) and never reaches a shell.
bool ShowURL(const std::string& url);
