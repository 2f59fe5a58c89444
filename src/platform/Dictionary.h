#pragma once
// A dictionary of text to text that enumerates in key order. Event keys are SQL date-times,
// which sort chronologically, so every listing of the store is deterministic.
#include <map>
#include <string>

class Dictionary {
  public:
    using Map = std::map<std::string, std::string>;

    int Count() const { return static_cast<int>(entries_.size()); }
    bool HasKey(const std::string& key) const { return entries_.contains(key); }

    // The value of key; raises KeyNotFoundException when there is none.
    const std::string& Value(const std::string& key) const;
    // Adds the entry, or replaces the value of an entry with the same key.
    // Keys that arrive in order (as the event file holds them) are added in constant time.
    void Value(std::string key, std::string value) {
        entries_.insert_or_assign(entries_.end(), std::move(key), std::move(value));
    }
    // The value of key, or fallback when there is none.
    std::string Lookup(const std::string& key, const std::string& fallback = {}) const;

    // Removes key; raises KeyNotFoundException when there is none.
    void Remove(const std::string& key);
    void Clear() { entries_.clear(); }

    // The key at index (0-based, in key order); raises OutOfBoundsException past the end.
    const std::string& Key(int index) const;

    // Enumeration in key order; prefer it to Key(i) in loops.
    Map::const_iterator begin() const { return entries_.begin(); }
    Map::const_iterator end() const { return entries_.end(); }
    // The first entry whose key is key or sorts after it.
    Map::const_iterator LowerBound(const std::string& key) const {
        return entries_.lower_bound(key);
    }

  private:
    Map entries_;
};
