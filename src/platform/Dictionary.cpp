#include "platform/Dictionary.h"

#include "platform/Exceptions.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {
// Texts of an ordinary size share blocks of this size; a larger one gets a block of its own.
constexpr size_t kBlockSize = 1 << 20;

bool KeyLess(const Dictionary::Entry& a, const Dictionary::Entry& b) {
    return a.first < b.first;
}
bool SameKey(const Dictionary::Entry& a, const Dictionary::Entry& b) {
    return a.first == b.first;
}
} // namespace

Dictionary::Dictionary(Dictionary&& other) noexcept
    : entries_(std::move(other.entries_)), blocks_(std::move(other.blocks_)),
      free_(std::exchange(other.free_, nullptr)), left_(std::exchange(other.left_, 0)),
      revision_(other.revision_) {
    other.Clear();
}

Dictionary& Dictionary::operator=(Dictionary&& other) noexcept {
    if (this == &other) return *this;
    const uint64_t next = std::max(revision_, other.revision_) + 1;
    entries_ = std::move(other.entries_);
    blocks_ = std::move(other.blocks_);
    free_ = std::exchange(other.free_, nullptr);
    left_ = std::exchange(other.left_, 0);
    revision_ = next;
    other.Clear();
    return *this;
}

Dictionary::~Dictionary() = default;

char* Dictionary::Reserve(size_t size) {
    if (size > left_) {
        if (size > kBlockSize / 4) {
            // A block of its own; the space left in the current one stays in use.
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(size));
            return blocks_.back().get();
        }
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        free_ = blocks_.back().get();
        left_ = kBlockSize;
    }
    char* const start = free_;
    free_ += size;
    left_ -= size;
    return start;
}

Dictionary::Entry Dictionary::Keep(std::string_view key, std::string_view value) {
    char* const text = Reserve(key.size() + value.size());
    std::memcpy(text, key.data(), key.size());
    std::memcpy(text + key.size(), value.data(), value.size());
    return {{text, key.size()}, {text + key.size(), value.size()}};
}

Dictionary::const_iterator Dictionary::LowerBound(std::string_view key) const {
    return std::ranges::lower_bound(entries_, key, {}, &Entry::first);
}

std::vector<Dictionary::Entry>::iterator Dictionary::Find(std::string_view key) {
    const auto at = std::ranges::lower_bound(entries_, key, {}, &Entry::first);
    return at != entries_.end() && at->first == key ? at : entries_.end();
}

bool Dictionary::HasKey(std::string_view key) const {
    const auto at = LowerBound(key);
    return at != end() && at->first == key;
}

std::string_view Dictionary::Value(std::string_view key) const {
    const auto at = LowerBound(key);
    if (at == end() || at->first != key) throw KeyNotFoundException(std::string(key));
    return at->second;
}

void Dictionary::Value(std::string_view key, std::string_view value) {
    ++revision_;
    if (entries_.empty() || entries_.back().first < key) {
        entries_.push_back(Keep(key, value));
        return;
    }
    const auto at = std::ranges::lower_bound(entries_, key, {}, &Entry::first);
    // The old texts stay in their block unused: an editor replaces a handful of entries a run.
    if (at->first == key)
        *at = Keep(key, value);
    else
        entries_.insert(at, Keep(key, value));
}

int Dictionary::Merge(std::span<const Entry> entries) {
    if (entries.empty()) return 0;
    ++revision_;
    size_t size = 0;
    for (const auto& [key, value] : entries)
        size += key.size() + value.size();
    // All the texts in one piece: a file's worth of entries is one allocation.
    char* text = Reserve(size);
    std::vector<Entry> added;
    added.reserve(entries.size());
    for (const auto& [key, value] : entries) {
        std::memcpy(text, key.data(), key.size());
        std::memcpy(text + key.size(), value.data(), value.size());
        added.push_back({{text, key.size()}, {text + key.size(), value.size()}});
        text += key.size() + value.size();
    }
    // Entries in strictly rising order (as a file written by this program holds them) need no
    // sort. Otherwise a stable sort keeps equal keys in their order, and of each run of them
    // the last is kept.
    if (std::ranges::adjacent_find(added, std::not_fn(KeyLess)) != added.end()) {
        std::ranges::stable_sort(added, KeyLess);
        const auto kept = std::unique(added.rbegin(), added.rend(), SameKey);
        added.erase(added.begin(), kept.base());
    }
    const int keys = static_cast<int>(added.size());
    if (entries_.empty() || entries_.back().first < added.front().first) {
        entries_.insert(entries_.end(), added.begin(), added.end());
        return keys;
    }
    std::vector<Entry> merged;
    merged.reserve(entries_.size() + added.size());
    auto old = entries_.begin();
    for (const Entry& entry : added) {
        while (old != entries_.end() && old->first < entry.first)
            merged.push_back(*old++);
        if (old != entries_.end() && old->first == entry.first) ++old; // replaced
        merged.push_back(entry);
    }
    merged.insert(merged.end(), old, entries_.end());
    entries_ = std::move(merged);
    return keys;
}

std::string Dictionary::Lookup(std::string_view key, std::string_view fallback) const {
    const auto at = LowerBound(key);
    return std::string(at == end() || at->first != key ? fallback : at->second);
}

void Dictionary::Remove(std::string_view key) {
    const auto at = Find(key);
    if (at == entries_.end()) throw KeyNotFoundException(std::string(key));
    ++revision_;
    entries_.erase(at);
}

void Dictionary::Clear() {
    ++revision_;
    entries_.clear();
    entries_.shrink_to_fit();
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
}

std::string_view Dictionary::Key(int index) const {
    if (index < 0 || index >= Count()) throw OutOfBoundsException();
    return entries_[static_cast<size_t>(index)].first;
}
