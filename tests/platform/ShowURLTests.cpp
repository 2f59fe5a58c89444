// Opening links: which links reach the system opener, and how they reach it.
#include "platform/ShowURL.h"
#include "platform/TestSeams.h"

#include "support/TestEnvironment.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

namespace {
class ShowURLTest : public IsolatedTest {};

struct LinkCase {
    const char* given;
    const char* opened; // nullptr when refused
};

const LinkCase kLinks[] = {
    {"https://example.com/calendar", "https://example.com/calendar"},
    {"http://example.com", "http://example.com"},
    {"mailto:someone@example.com?subject=~Feedback: Calendar 1.0",
     "mailto:someone@example.com?subject=~Feedback: Calendar 1.0"},
    {"HTTPS://EXAMPLE.COM/", "HTTPS://EXAMPLE.COM/"},
    // A bare web address, as editions and screens write them.
    {"www.example.com/shop", "http://www.example.com/shop"},
    {"  https://example.com/  ", "https://example.com/"},
    {"", nullptr},
    {"   ", nullptr},
    {"file:///etc/passwd", nullptr},
    {"javascript:alert(1)", nullptr},
    {"ftp://example.com", nullptr},
    {"; rm -rf ~", nullptr},
    {"-h", nullptr},
    {"example.com", nullptr},
};
} // namespace

TEST_F(ShowURLTest, OnlyWebAndMailLinksOpenAndBareWebAddressesBecomeHttp) {
    for (const LinkCase& link : kLinks) {
        SCOPED_TRACE(link.given);
        const size_t before = TestSeams::OpenedURLs().size();
        EXPECT_EQ(ShowURL(link.given), link.opened != nullptr);
        if (link.opened) {
            ASSERT_EQ(TestSeams::OpenedURLs().size(), before + 1);
            EXPECT_EQ(TestSeams::OpenedURLs().back(), link.opened);
        } else {
            EXPECT_EQ(TestSeams::OpenedURLs().size(), before);
        }
    }
}

// The real opener, replaced by a script first on PATH that writes down its arguments: the link
// arrives whole, as one argument, and nothing in it is run by a shell.
TEST_F(ShowURLTest, TheSystemOpenerGetsTheLinkAsItsOneArgument) {
    namespace fs = std::filesystem;
    const fs::path bin = environment.Home() / "bin";
    const fs::path record = environment.Home() / "opened.txt";
    const fs::path ran = environment.Home() / "ran";
    TestEnvironment::WriteFile(
        bin / "xdg-open", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > " + record.string() +
                              ".part && mv " + record.string() + ".part " + record.string() + "\n");
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (bin.string() + ":" + oldPath).c_str(), 1);
    TestSeams::Disable();

    const std::string link = "https://example.com/a b;touch " + ran.string() + "&x=$(id)";
    const bool opened = ShowURL(link);
    for (int i = 0; i < 100 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    setenv("PATH", oldPath.c_str(), 1);
    TestSeams::Enable();

    EXPECT_TRUE(opened);
    EXPECT_EQ(TestEnvironment::ReadFile(record), "1|" + link);
    EXPECT_FALSE(fs::exists(ran));
}
