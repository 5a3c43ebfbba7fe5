// Text values of the 9x registry and the adapter keys: read into the classic 260-byte buffers
// without ever running past them, and converted to and from integers.
#pragma once

#include <cstdint>

#include "platform/max_path.h"
#include "platform/registry.h"

enum class TextRead {
  kText,        // read and terminated
  kTooLong,     // the value is there but needs 260 bytes or more: not taken
  kMissing,     // absent
  kUnreadable,  // there may be one, but the query failed
};

struct TextValue {
  char text[kMaxPath + 1];  // terminated after the bytes read, also when they hold none
  std::uint32_t size;       // bytes the query returned (kText only)
};

// Queries `name` with a 260-byte limit. Only a value shorter than the buffer is taken, so the
// text always has a terminator of its own even when the stored bytes have none. On any other
// outcome `out->text` is empty and `out->size` 0.
TextRead ReadTextValue(Registry& registry, RegKey key, const char* name, TextValue* out);

// Decimal text to integer the way the 9x TCP/IP values are read: leading white space, one
// optional sign, digits up to the first non-digit; no digits gives 0. A number beyond the
// signed 32-bit range gives the nearest end of it (INT32_MIN or INT32_MAX).
std::int32_t TextToInteger(const char* text);

// The decimal form of `value` ("-" for negatives) with its terminator.
struct DecimalText {
  char text[12];
  std::uint32_t size;  // characters plus the terminator: the byte count a REG_SZ is written with
};
DecimalText IntegerToText(std::int32_t value);
