#include "platform/LargePages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <sys/mman.h>
#include <vector>

namespace {
struct Mapping {
    std::uintptr_t from = 0, to = 0;
    bool largePages = false; // the mapping was advised to take large pages
};

// The process's mappings that overlap [from, to), with whether each was advised.
std::vector<Mapping> MappingsOver(std::uintptr_t from, std::uintptr_t to) {
    std::vector<Mapping> found;
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    Mapping* current = nullptr;
    while (std::getline(smaps, line)) {
        std::uintptr_t start = 0, end = 0;
        char dash = 0;
        std::istringstream fields(line);
        if (fields >> std::hex >> start >> dash >> end && dash == '-') {
            current = nullptr;
            if (start < to && end > from) current = &found.emplace_back(Mapping{start, end});
        } else if (current && line.starts_with("VmFlags:")) {
            current->largePages = line.find(" hg") != std::string::npos;
        }
    }
    return found;
}
} // namespace

// The advice covers whole large pages inside the block and nothing outside it: memory next to
// the block belongs to someone else.
TEST(LargePagesTest, TheAdviceStaysInsideTheBlockAndCoversItsWholeLargePages) {
    if (!std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled"))
        GTEST_SKIP() << "this system has no large pages";
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    constexpr std::size_t kBytes = 5 * kLargePage + 12345;
    const auto block = std::make_unique_for_overwrite<char[]>(kBytes);
    const auto from = reinterpret_cast<std::uintptr_t>(block.get());
    AdviseLargePages(block.get(), kBytes);

    const std::uintptr_t firstWhole = (from + kLargePage - 1) & ~(kLargePage - 1);
    const std::uintptr_t lastWhole = (from + kBytes) & ~(kLargePage - 1);
    bool advised = false;
    for (const Mapping& mapping : MappingsOver(from - kLargePage, from + kBytes + kLargePage)) {
        if (!mapping.largePages) continue;
        advised = true;
        EXPECT_GE(mapping.from, from);
        EXPECT_LE(mapping.to, from + kBytes);
        EXPECT_EQ(mapping.from, firstWhole);
        EXPECT_EQ(mapping.to, lastWhole);
    }
    EXPECT_TRUE(advised);

    // The block is still the program's to use whole.
    block[0] = 'a';
    block[kBytes - 1] = 'z';
    EXPECT_EQ(block[0], 'a');
    EXPECT_EQ(block[kBytes - 1], 'z');
}

// The block has a mapping of its own: a block from the heap may share one with memory that an
// earlier test of the same run advised.
TEST(LargePagesTest, ABlockWithoutAWholeLargePageIsLeftAlone) {
    constexpr std::size_t kBytes = (std::size_t{2} << 20) - 4096;
    void* const block =
        ::mmap(nullptr, kBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(block, MAP_FAILED);
    const auto from = reinterpret_cast<std::uintptr_t>(block);
    AdviseLargePages(block, kBytes);
    for (const Mapping& mapping : MappingsOver(from, from + kBytes))
        EXPECT_FALSE(mapping.largePages);
    ::munmap(block, kBytes);
}
