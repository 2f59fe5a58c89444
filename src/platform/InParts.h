#pragma once
// Work split into parts that run side by side on threads.
#include <cstddef>
#include <future>
#include <system_error>
#include <vector>

// Runs work(part) for every part below parts: the first here, each other on a thread of its own,
// or here after the first when the system cannot give a thread. Returns once all have ended; the
// exception of one is raised then.
template <typename Work> void RunInParts(std::size_t parts, const Work& work) {
    std::vector<std::future<void>> others;
    for (std::size_t part = 1; part < parts; ++part) {
        const auto run = [&work, part] { work(part); };
        try {
            others.push_back(std::async(std::launch::async, run));
        } catch (const std::system_error&) {
            others.push_back(std::async(std::launch::deferred, run));
        }
    }
    work(0);
    for (std::future<void>& other : others)
        other.get();
}
