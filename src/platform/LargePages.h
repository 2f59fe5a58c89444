#pragma once
// Large blocks of fresh memory (a big event file's text and entries) are first touched page by
// page; asking the system for large pages there makes that touching, and giving the block back,
// hundreds of times fewer page faults.
#include <cstddef>

// Asks for large pages over the whole 2 MiB pieces of [data, data + bytes); blocks smaller
// than that, and systems that do not offer large pages, are left as they are.
void AdviseLargePages(void* data, std::size_t bytes);
