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
  // Little-endian number of the first (up to) four bytes, zero-extended.
  std::uint32_t AsNumber() const;

  // `key` is 0 when the key holding the value could not be opened; `openResult` says why.
  ValueState Read(Registry& registry, RegKey key, RegResult openResult, const char* name);
  ValueState Read(Registry& registry, RegKey key, const char* name) {
    return Read(registry, key, kRegOk, name);
  }

 private:
  std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(64);
  std::uint32_t size_ = 0;
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
  void Fail() { ok_ = false; }
  bool ok() const { return ok_; }

 private:
  bool ok_ = true;
};

RegResult SetDword(Registry& registry, RegKey key, const char* name, std::uint32_t value);
// Stores exactly `size` bytes. NT counts a terminator that sits right after a text lacking one;
// a saved text must come back without it, so such a text is passed on with a byte after it
// that is not a terminator.
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

 private:
  Registry& registry_;
  RegKey key_;
  std::uint32_t index_ = 0;
  std::vector<char> buffer_;
};
