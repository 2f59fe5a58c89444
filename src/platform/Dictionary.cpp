#include "platform/Dictionary.h"

#include "platform/Exceptions.h"

#include <algorithm>
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
            blocks_.push_back(std::make_shared_for_overwrite<char[]>(size));
            return blocks_.back().get();
        }
        blocks_.push_back(std::make_shared_for_overwrite<char[]>(kBlockSize));
        free_ = blocks_.back().get();
        left_ = kBlockSize;
    }
    char* const start = free_;
    free_ += size;
    left_ -= size;
    return start;
}

Dictionary::Entry Dictionary::Keep(std::string_view key, std::string_view value) {
    // Copies, not memcpy: an empty key and value get no block (text is null), which a copy of
    // nothing accepts.
    char* const text = Reserve(key.size() + value.size());
    std::ranges::copy(key, text);
    std::ranges::copy(value, text + key.size());
    return {{text, key.size()}, {text + key.size(), value.size()}};
}

const std::vector<Dictionary::Entry>& Dictionary::NoEntries() {
    static const std::vector<Entry> none;
    return none;
}

std::vector<Dictionary::Entry>& Dictionary::OwnEntries() {
    if (!entries_)
        entries_ = std::make_shared<Shared>();
    else if (entries_->snapshots.load(std::memory_order_acquire) > 0)
        entries_ = std::make_shared<Shared>(entries_->entries);
    return entries_->entries;
}

Dictionary::Snapshot Dictionary::TakeSnapshot() const {
    Snapshot snapshot;
    if (entries_) {
        // Each snapshot is counted once, however often it is copied: its last copy counts it
        // out.
        entries_->snapshots.fetch_add(1, std::memory_order_relaxed);
        snapshot.entries_ = std::shared_ptr<const std::vector<Entry>>(
            &entries_->entries, [shared = entries_](const std::vector<Entry>*) {
                shared->snapshots.fetch_sub(1, std::memory_order_release);
            });
    }
    snapshot.blocks_.assign(blocks_.begin(), blocks_.end());
    return snapshot;
}

Dictionary::const_iterator Dictionary::LowerBound(std::string_view key) const {
    return std::ranges::lower_bound(Entries(), key, {}, &Entry::first);
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
    std::vector<Entry>& entries = OwnEntries();
    if (entries.empty() || entries.back().first < key) {
        entries.push_back(Keep(key, value));
        return;
    }
    const auto at = std::ranges::lower_bound(entries, key, {}, &Entry::first);
    // The old texts stay in their block unused: an editor replaces a handful of entries a run.
    if (at->first == key)
        *at = Keep(key, value);
    else
        entries.insert(at, Keep(key, value));
}

void Dictionary::Merge(std::unique_ptr<char[]> text, std::vector<Entry> entries, bool keysRise) {
    if (entries.empty()) return;
    if (text) blocks_.push_back(std::move(text));
    ++revision_;
    // Entries in strictly rising order (as a file written by this program holds them) need no
    // sort. Otherwise a stable sort keeps equal keys in their order, and of each run of them
    // the last is kept.
    if (!keysRise && std::ranges::adjacent_find(entries, std::not_fn(KeyLess)) != entries.end()) {
        std::ranges::stable_sort(entries, KeyLess);
        const auto kept = std::unique(entries.rbegin(), entries.rend(), SameKey);
        entries.erase(entries.begin(), kept.base());
    }
    // The entries held before that the new ones do not replace; usually a few holidays, or
    // none when the file held them too.
    std::vector<Entry> held;
    for (const Entry& entry : Entries())
        if (!std::ranges::binary_search(entries, entry.first, {}, &Entry::first))
            held.push_back(entry);
    // Merged from the back into the room after the new entries: each run of new entries moves
    // once, in one piece, to its final place.
    size_t from = entries.size(); // new entries before from have not moved
    entries.resize(entries.size() + held.size());
    size_t to = entries.size(); // entries from here on are in place
    for (auto entry = held.rbegin(); entry != held.rend(); ++entry) {
        const auto first = entries.begin();
        const auto at =
            std::lower_bound(first, first + static_cast<std::ptrdiff_t>(from), *entry, KeyLess);
        std::move_backward(at, first + static_cast<std::ptrdiff_t>(from),
                           first + static_cast<std::ptrdiff_t>(to));
        to -= static_cast<size_t>(first + static_cast<std::ptrdiff_t>(from) - at);
        entries[--to] = *entry;
        from = static_cast<size_t>(at - first);
    }
    entries_ = std::make_shared<Shared>(std::move(entries));
}

std::string Dictionary::Lookup(std::string_view key, std::string_view fallback) const {
    const auto at = LowerBound(key);
    return std::string(at == end() || at->first != key ? fallback : at->second);
}

void Dictionary::Remove(std::string_view key) {
    // Looked up in the shared entries: a key that is not there copies nothing.
    const auto at = LowerBound(key);
    if (at == end() || at->first != key) throw KeyNotFoundException(std::string(key));
    const auto index = at - begin();
    ++revision_;
    std::vector<Entry>& entries = OwnEntries();
    entries.erase(entries.begin() + index);
}

void Dictionary::Clear() {
    ++revision_;
    entries_.reset();
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
}

std::string_view Dictionary::Key(int index) const {
    if (index < 0 || index >= Count()) throw OutOfBoundsException();
    return Entries()[static_cast<size_t>(index)].first;
}
