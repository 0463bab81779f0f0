// Numbers in dialog fields. Every field shows the shortest text that reads back as exactly the
// stored value, and reads text the same way whatever the user's locale: a point for decimals,
// no thousands separators.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace plumora::gui {

// "0.1", "2800", "1e-05", "-12.14": the shortest text that gives back `value` exactly.
std::string FormatNumber(double value);
std::string FormatInteger(std::int64_t value);

// A whole finite number, with optional sign, point and exponent, spaces around it allowed;
// nothing for anything else (empty text, "1,5", "abc", "inf", "1e999").
std::optional<double> ParseNumber(std::string_view text);
// A whole integer in the range of a stored 32-bit field.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// How far typing has got: a number, something that may become one ("", "-", "1e", "."), or
// text that never will.
enum class NumberEntry { kComplete, kIncomplete, kInvalid };
NumberEntry ClassifyNumberEntry(std::string_view text, bool integerOnly);

// What a dialog says when a field holds no number: the field's label and its text.
std::string NotANumberMessage(std::string_view label, std::string_view text);

}  // namespace plumora::gui
