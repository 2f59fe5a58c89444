// The title clean-up: what is stored can always be split back into the same fields.
#include "app/EventText.h"

#include <gtest/gtest.h>

TEST(CleanEventTitle, KeepsTheRecordSeparatorsOutOfTheTitle) {
    const std::pair<const char*, const char*> cases[] = {
        {"and/or", "and/or"}, {"a////b//c", "a/b/c"}, {"trip//", "trip"},
        {"/start", "/start"}, {"a|b", "a b"},         {"two\nlines\r\n", "twolines"},
        {"/\n/", ""},
    };
    for (const auto& [typed, stored] : cases)
        EXPECT_EQ(CleanEventTitle(typed), stored) << typed;
}
