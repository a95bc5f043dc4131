#pragma once
// The error kinds that core operations raise. Each carries a message fit to show the
// user as it stands.
#include <stdexcept>
#include <string>

namespace velmora {

// A text that should be a number or a date and is not.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A list index, count or capacity out of range.
class ListIndexError : public std::out_of_range {
public:
    ListIndexError() : std::out_of_range("インデックスがリストの範囲を超えています") {}
};

// A file that cannot be read or written.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Text that the CP932 code page cannot hold, or bytes that are neither CP932 nor UTF-8.
class EncodingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace velmora
