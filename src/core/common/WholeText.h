// Numbers given as a whole piece of text (a command-line value, a CSV field), as opposed to
// numbers scanned out of a data file (TextScanner).
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace plumora {

// The whole of text as one number, in std::from_chars' form (no blanks, no plus sign; "nan" and
// "inf" for a double). False when the text is empty, out of range or has anything left over.
template <typename Number>
bool ParseWholeText(std::string_view text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

}  // namespace plumora
