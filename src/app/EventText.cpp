#include "app/EventText.h"

std::string CleanEventTitle(std::string_view title) {
    std::string clean;
    clean.reserve(title.size());
    for (const char c : title) {
        if (c == '\r' || c == '\n') continue;
        if (c == '/' && !clean.empty() && clean.back() == '/') continue;
        clean.push_back(c == '|' ? ' ' : c);
    }
    if (!clean.empty() && clean.back() == '/') clean.pop_back();
    return clean;
}
