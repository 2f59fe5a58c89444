#pragma once
// A dictionary of text to text that enumerates in key order. Event keys are SQL date-times,
// which sort chronologically, so every listing of the store is deterministic.
//
// The entries are a sorted vector of views into a few large blocks of text that the dictionary
// owns: a million entries cost about a hundred bytes each and a few dozen allocations in all.
// The views stay valid until their entry is replaced or removed or the dictionary is cleared.
// A snapshot keeps the entries of a moment and their texts for another thread to read while
// the dictionary goes on changing: it shares them until the dictionary's next change, which
// then works on a copy of the entries (texts are never overwritten, so they stay shared).
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class Dictionary {
  public:
    using Entry = std::pair<std::string_view, std::string_view>;
    using const_iterator = std::vector<Entry>::const_iterator;

    // The entries as they were when it was taken, in key order, with the texts they view.
    class Snapshot {
      public:
        Snapshot() = default;
        std::span<const Entry> Entries() const {
            return entries_ ? std::span<const Entry>(*entries_) : std::span<const Entry>();
        }

      private:
        friend class Dictionary;
        std::shared_ptr<const std::vector<Entry>> entries_;
        std::vector<std::shared_ptr<const char[]>> blocks_;
    };

    Dictionary() = default;
    Dictionary(Dictionary&& other) noexcept;
    // A new revision: whoever noted the old one sees a change.
    Dictionary& operator=(Dictionary&& other) noexcept;
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;
    ~Dictionary();

    int Count() const { return static_cast<int>(Entries().size()); }
    bool HasKey(std::string_view key) const;

    // The value of key; raises KeyNotFoundException when there is none.
    std::string_view Value(std::string_view key) const;
    // Adds the entry, or replaces the value of an entry with the same key. A key that sorts
    // after every other is added in constant time; any other costs a move of the entries after
    // it.
    void Value(std::string_view key, std::string_view value);
    // Adds entries as Value(key, value) one after the other would (a later entry replaces an
    // earlier one with the same key), in O(n log n) for any order of keys, and keeps text, which
    // holds their keys and values: a file read whole becomes the store's text without a copy.
    // keysRise tells that the caller saw every key sort after the one before it (a reader
    // checks that on its own threads), which spares the check here.
    void Merge(std::unique_ptr<char[]> text, std::vector<Entry> entries, bool keysRise = false);
    // The value of key, or fallback when there is none.
    std::string Lookup(std::string_view key, std::string_view fallback = {}) const;

    // Removes key; raises KeyNotFoundException when there is none.
    void Remove(std::string_view key);
    void Clear();

    // The key at index (0-based, in key order); raises OutOfBoundsException past the end.
    std::string_view Key(int index) const;

    // Enumeration in key order.
    const_iterator begin() const { return Entries().begin(); }
    const_iterator end() const { return Entries().end(); }
    const std::vector<Entry>& Entries() const { return entries_ ? entries_->entries : NoEntries(); }
    // Costs a few pointers whatever the size; the next change of the dictionary copies the
    // entries once.
    Snapshot TakeSnapshot() const;
    // The first entry whose key is key or sorts after it.
    const_iterator LowerBound(std::string_view key) const;

    // Changes with every change of the entries, and never returns to an earlier number: equal
    // revisions of one dictionary mean equal entries.
    uint64_t Revision() const { return revision_; }

  private:
    // Copies the texts of an entry side by side into the blocks.
    Entry Keep(std::string_view key, std::string_view value);
    char* Reserve(size_t size);
    // The entries for a change: copied first while a snapshot shares them.
    std::vector<Entry>& OwnEntries();
    static const std::vector<Entry>& NoEntries();

    // The entries and the number of snapshots that share them. A snapshot counts itself out
    // with a release when its last copy goes, and a change reads the count with an acquire:
    // the reads made through the snapshot on its thread come before the change's writes.
    struct Shared {
        Shared() = default;
        explicit Shared(std::vector<Entry> from) : entries(std::move(from)) {}
        std::vector<Entry> entries;
        std::atomic<int> snapshots{0};
    };

    // None while empty.
    std::shared_ptr<Shared> entries_;
    std::vector<std::shared_ptr<char[]>> blocks_;
    char* free_ = nullptr; // the unused end of the last block
    size_t left_ = 0;
    uint64_t revision_ = 0;
};
