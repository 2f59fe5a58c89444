#pragma once
// The run-time exceptions of the framework layer. Handlers that let one escape reach the
// application's UnhandledException event.
#include <stdexcept>
#include <string>

class RuntimeException : public std::runtime_error {
  public:
    explicit RuntimeException(const std::string& message) : std::runtime_error(message) {}
};

// Using an object that is not there.
class NilObjectException : public RuntimeException {
  public:
    explicit NilObjectException(const std::string& what = "nil object") : RuntimeException(what) {}
};

// A text that does not have the form a parser expects.
class UnsupportedFormatException : public RuntimeException {
  public:
    explicit UnsupportedFormatException(const std::string& what = "unsupported format")
        : RuntimeException(what) {}
};

class KeyNotFoundException : public RuntimeException {
  public:
    explicit KeyNotFoundException(const std::string& key)
        : RuntimeException("key not found: " + key) {}
};

class OutOfBoundsException : public RuntimeException {
  public:
    explicit OutOfBoundsException(const std::string& what = "index out of bounds")
        : RuntimeException(what) {}
};

// A file that cannot be opened, read or written.
class IOException : public RuntimeException {
  public:
    explicit IOException(const std::string& what) : RuntimeException(what) {}
};
