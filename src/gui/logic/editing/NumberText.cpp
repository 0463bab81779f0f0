#include "gui/logic/editing/NumberText.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace plumora::gui {

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Walks sign, digits, point, digits, exponent; returns where the walk stopped and whether the
// text so far could still grow into a number.
struct Scan {
  std::size_t end = 0;
  bool mantissaDigits = false;
  bool exponentStarted = false;
  bool exponentDigits = false;
  bool point = false;
};

Scan ScanNumber(std::string_view s, bool integerOnly) {
  Scan scan;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && IsDigit(s[i])) ++i, scan.mantissaDigits = true;
  if (!integerOnly && i < s.size() && s[i] == '.') {
    ++i;
    scan.point = true;
    while (i < s.size() && IsDigit(s[i])) ++i, scan.mantissaDigits = true;
  }
  if (!integerOnly && scan.mantissaDigits && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    scan.exponentStarted = true;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && IsDigit(s[i])) ++i, scan.exponentDigits = true;
  }
  scan.end = i;
  return scan;
}

}  // namespace

std::string FormatNumber(double value) {
  std::array<char, 64> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::string FormatInteger(std::int64_t value) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  return std::string(buffer.data(), result.ptr);
}

std::optional<double> ParseNumber(std::string_view text) {
  const std::string_view s = Trimmed(text);
  const Scan scan = ScanNumber(s, false);
  if (s.empty() || scan.end != s.size() || !scan.mantissaDigits) return std::nullopt;
  if (scan.exponentStarted && !scan.exponentDigits) return std::nullopt;
  // from_chars takes no plus sign.
  const std::string_view digits = s.front() == '+' ? s.substr(1) : s;
  double value = 0.0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<std::int32_t> ParseInteger(std::string_view text) {
  const std::string_view s = Trimmed(text);
  const Scan scan = ScanNumber(s, true);
  if (s.empty() || scan.end != s.size() || !scan.mantissaDigits) return std::nullopt;
  const std::string_view digits = s.front() == '+' ? s.substr(1) : s;
  std::int32_t value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc() || result.ptr != digits.data() + digits.size()) return std::nullopt;
  return value;
}

NumberEntry ClassifyNumberEntry(std::string_view text, bool integerOnly) {
  const bool complete =
      integerOnly ? ParseInteger(text).has_value() : ParseNumber(text).has_value();
  if (complete) return NumberEntry::kComplete;
  const std::string_view s = Trimmed(text);
  // Anything the scan cannot walk to the end is not on its way to a number.
  return ScanNumber(s, integerOnly).end == s.size() ? NumberEntry::kIncomplete
                                                    : NumberEntry::kInvalid;
}

std::string NotANumberMessage(std::string_view label, std::string_view text) {
  std::string message = "\"";
  message.append(label);
  message.append("\" needs a number; \"");
  message.append(text);
  message.append("\" is not one. The previous value is kept.");
  return message;
}

}  // namespace plumora::gui
