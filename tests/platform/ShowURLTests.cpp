// Opening links: which links reach the system opener, and how they reach it.
#include "platform/ShowURL.h"
#include "platform/TestSeams.h"

#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include <cstdlib>
#include <filesystem>
#include <string>

using ShowURLTest = IsolatedTest;

TEST_F(ShowURLTest, OnlyWebAndMailLinksOpenAndBareWebAddressesBecomeHttp) {
    const std::pair<const char*, const char*> links[] = {
        {"https://example.com/a", "https://example.com/a"},
        {"mailto:me@example.com?subject=~Feedback: 1.0",
         "mailto:me@example.com?subject=~Feedback: 1.0"},
        {"HTTP://EXAMPLE.COM", "HTTP://EXAMPLE.COM"},
        {" www.example.com/shop ", "http://www.example.com/shop"},
        {"", nullptr},
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"-h", nullptr},
        {"example.com", nullptr}};
    for (const auto& [given, opened] : links) {
        const std::vector<std::string> before = TestSeams::OpenedURLs();
        EXPECT_EQ(ShowURL(given), opened != nullptr) << given;
        std::vector<std::string> expected = before;
        if (opened) expected.push_back(opened);
        EXPECT_EQ(TestSeams::OpenedURLs(), expected) << given;
    }
}

// The real opener, replaced by a script first on PATH that writes down its arguments: the link
// arrives whole, as one argument, and nothing in it is run by a shell.
TEST_F(ShowURLTest, TheSystemOpenerGetsTheLinkAsItsOneArgument) {
    namespace fs = std::filesystem;
    const fs::path bin = environment.Home() / "bin", record = environment.Home() / "opened";
    const fs::path ran = environment.Home() / "ran";
    TestEnvironment::WriteFile(bin / "xdg-open", "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > " +
                                                     record.string() + ".part && mv " +
                                                     record.string() + ".part " + record.string());
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
    TestSeams::Disable();
    const std::string link = "https://example.com/a b;touch " + ran.string() + "&x=$(id)";
    EXPECT_TRUE(ShowURL(link));
    WaitUntil([&] { return fs::exists(record); });
    setenv("PATH", path.c_str(), 1);
    TestSeams::Enable();
    EXPECT_EQ(TestEnvironment::ReadFile(record), "1|" + link);
    EXPECT_FALSE(fs::exists(ran));
}
