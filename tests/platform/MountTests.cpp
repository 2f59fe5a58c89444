// The tests' own FUSE mounts: each kind mounts, carries a file through to its backing folder,
// and leaves nothing mounted or running once it ends.
#include "support/Mounts.h"
#include "support/TestEnvironment.h"
#include "support/Waiting.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
dev_t Device(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_dev;
}

} // namespace

// The kind by its name in the tests' names and messages.
void PrintTo(Mount::Kind kind, std::ostream* out) {
    *out << Mount::Name(kind);
}

class MountTest : public IsolatedTest, public ::testing::WithParamInterface<Mount::Kind> {};

TEST_P(MountTest, MountsCarriesAFileThroughAndLeavesNothingBehind) {
    const fs::path backing = environment.Home() / "backing", point = environment.Home() / "mount";
    const std::string text = "0\tThrough the mount\nEvents Data:\n";
    {
        const Mount mount(GetParam(), backing, point);
        if (!mount.Mounted()) GTEST_SKIP() << mount.Reason();
        EXPECT_NE(Device(point), Device(environment.Home()));
        TestEnvironment::WriteFile(point / "Calendar.tpc", text);
        // rclone writes back seconds after the close.
        EXPECT_TRUE(
            WaitUntil([&] { return TestEnvironment::ReadFile(backing / "Calendar.tpc") == text; },
                      std::chrono::milliseconds(20)));
    }
    EXPECT_EQ(Device(point), Device(environment.Home()));
    EXPECT_FALSE(AnyProcessNames(environment.Home()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, MountTest,
                         ::testing::Values(Mount::Kind::Bindfs, Mount::Kind::Rclone,
                                           Mount::Kind::Sshfs),
                         [](const auto& row) { return std::string(Mount::Name(row.param)); });
