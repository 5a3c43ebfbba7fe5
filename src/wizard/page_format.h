// The sentences and numbers of the wizard's pages, as free functions so they can be checked
// without a window. Translated words are arguments, never a format.
#pragma once

#include <cstdint>
#include <string>

#include "lang/translate.h"

class AppState;

// " was set to 1500 bytes." (no unit: " was set to 20."), or " isn't set." when not found. The
// pattern is fixed; only its words are translated, so a translation can't inject directives.
std::string FormatCurrentValue(const AppState& app, std::int32_t found, std::uint32_t value,
                               const TextId* unit, const TextId& lead);
// " is currently enabled." / " is currently disabled." / " isn't set."
std::string FormatCurrentState(const AppState& app, std::int32_t found, std::uint32_t value);
// Every "%d" of `text` replaced by the number in signed decimal; nothing else is interpreted.
std::string ReplaceNumber(const std::string& text, std::int32_t value);
// Every "%s" of `text` replaced by `words`, the first "%d" by `first` and any later ones by
// `second`. What is put in is not read again, so `words` may hold anything the user typed.
std::string FillIn(const std::string& text, const std::string& words, std::int32_t first,
                   std::int32_t second);
// Every `marker` of `text` replaced by `with`.
void ReplaceAll(std::string& text, const std::string& marker, const std::string& with);

// The dialog framework's reading of an integer field: optional blanks, an optional sign and
// decimal digits that fit in 32 bits. False for anything else.
bool ParseInteger(const std::string& text, std::int32_t* value);
// An unsigned decimal field as the pages read it: plain digits that fit in 32 bits, else 0.
std::uint32_t ParseUnsignedOrZero(const std::string& text);
