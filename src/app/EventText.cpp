#include "app/EventText.h"

#include <algorithm>

std::string JoinLines(std::string_view text) {
    // The break that ends a copied line joins nothing.
    const auto lineBreak = [](char c) { return c == '\r' || c == '\n'; };
    while (!text.empty() && lineBreak(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && lineBreak(text.back()))
        text.remove_suffix(1);
    std::string joined;
    joined.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        joined.push_back(lineBreak(text[i]) ? ' ' : text[i]);
    }
    return joined;
}

std::string CleanEventTitle(std::string_view title) {
    std::string clean;
    clean.reserve(title.size());
    for (const char c : JoinLines(title)) {
        if (c == '/' && !clean.empty() && clean.back() == '/') continue;
        clean.push_back(c == '|' ? ' ' : c);
    }
    if (!clean.empty() && clean.back() == '/') clean.pop_back();
    return clean;
}

std::string CleanTodoText(std::string_view text) {
    std::string clean = JoinLines(text);
    std::replace(clean.begin(), clean.end(), '\t', ' ');
    return clean;
}
