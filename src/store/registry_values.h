// Small steps every store operation is made of: reading a value whole, writing and deleting
// with the result the caller needs to know whether everything went through.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/registry.h"

enum class ValueState {
  kPresent,     // read whole
  kAbsent,      // the registry says there is no such value (or no such key)
  kUnreadable,  // there may be one, but it could not be read
};

// A value's bytes, read whatever their length. The buffer only grows, so one instance serves a
// whole walk over many keys without allocating again.
class ValueBytes {
 public:
  const std::uint8_t* data() const { return buffer_.data(); }
  std::uint32_t size() const { return size_; }
  std::uint32_t type() const { return type_; }
  // The value as a number: little-endian, zero-extended; false when it has more than 4 bytes.
  bool Number(std::uint32_t* number) const;
  // The value as a 9x decimal text, read as the classic 260-byte buffer takes it: false when it
  // does not fit there with a terminator of its own.
  bool TextNumber(std::uint32_t* number) const;

  // `key` is 0 when the key holding the value could not be opened; `openResult` says why.
  ValueState Read(Registry& registry, RegKey key, RegResult openResult, const char* name);
  ValueState Read(Registry& registry, RegKey key, const char* name) {
    return Read(registry, key, kRegOk, name);
  }

 private:
  std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(64);
  std::uint32_t size_ = 0;
  std::uint32_t type_ = 0;
};

// Tracks whether every write and delete an operation needed went through.
class WriteResults {
 public:
  // A set, create or open the operation needed.
  void Note(RegResult result) {
    if (result != kRegOk) ok_ = false;
  }
  // A delete: a value that is already gone is what was wanted.
  void NoteDelete(RegResult result) {
    if (result != kRegOk && result != kRegFileNotFound) ok_ = false;
  }
  // Opening a key to work in: a key that is not there leaves nothing to do; any other failure
  // leaves the work undone. True when the key is open.
  bool NoteOpen(RegResult result) {
    if (result != kRegOk && result != kRegFileNotFound) ok_ = false;
    return result == kRegOk;
  }
  void Fail() { ok_ = false; }
  bool ok() const { return ok_; }

 private:
  bool ok_ = true;
};

RegResult SetDword(Registry& registry, RegKey key, const char* name, std::uint32_t value);
// Stores `size` bytes of `type`. A text lacking its terminator is passed on with two bytes after
// it: NT stores the count given but quietly counts a terminator right after the data, so the
// first is anything but one; Windows 95/98/Me store a REG_SZ up to its first NUL whatever the
// count says, so the second is one and the text ends inside the buffer, not in whatever memory
// follows it.
RegResult SetExactValue(Registry& registry, RegKey key, const char* name, std::uint32_t type,
                        const std::uint8_t* data, std::uint32_t size);
// REG_SZ written as the decimal text of `value` with its terminator.
RegResult SetDecimalText(Registry& registry, RegKey key, const char* name, std::int32_t value);

// The names of a key's sub-keys by index, 0, 1, 2 ... until enumeration ends. A name that does
// not fit the buffer is passed over rather than ending the walk.
class SubKeyNames {
 public:
  SubKeyNames(Registry& registry, RegKey key);
  bool Next();
  const char* name() const { return buffer_.data(); }
  // Whether the walk ended on an error rather than after the last name: the names after it
  // were never seen.
  bool failed() const { return failed_; }

 private:
  Registry& registry_;
  RegKey key_;
  std::uint32_t index_ = 0;
  bool failed_ = false;
  std::vector<char> buffer_;
};
