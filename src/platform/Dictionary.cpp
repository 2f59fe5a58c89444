#include "platform/Dictionary.h"

#include "platform/Exceptions.h"

#include <iterator>

const std::string& Dictionary::Value(const std::string& key) const {
    const auto found = entries_.find(key);
    if (found == entries_.end()) throw KeyNotFoundException(key);
    return found->second;
}

std::string Dictionary::Lookup(const std::string& key, const std::string& fallback) const {
    const auto found = entries_.find(key);
    return found == entries_.end() ? fallback : found->second;
}

void Dictionary::Remove(const std::string& key) {
    if (entries_.erase(key) == 0) throw KeyNotFoundException(key);
}

const std::string& Dictionary::Key(int index) const {
    if (index < 0 || index >= Count()) throw OutOfBoundsException();
    return std::next(entries_.begin(), index)->first;
}
