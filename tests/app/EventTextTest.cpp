// The title clean-up: what is stored can always be split back into the same fields.
#include "app/EventText.h"

#include <gtest/gtest.h>

TEST(CleanEventTitle, KeepsTheRecordSeparatorsOutOfTheTitle) {
    const std::pair<const char*, const char*> cases[] = {
        {"and/or", "and/or"},   {"a////b//c", "a/b/c"},
        {"trip//", "trip"},     {"/start", "/start"},
        {"a|b", "a b"},         {"two\nlines\r\n", "two lines"},
        {"/\n/", "/ "},         {"Line one\nLine two", "Line one Line two"},
        {"a\r\n\r\nb", "a  b"}, {"a\rb\n\rc", "a b  c"},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(CleanEventTitle(typed), stored) << typed;
}

TEST(CleanTodoText, KeepsTheItemOnItsOwnLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"Line one\r\nLine two", "Line one Line two"}, {"a\tb|c//d", "a b|c//d"}, {"\n", ""}};
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(CleanTodoText(typed), stored) << typed;
}
