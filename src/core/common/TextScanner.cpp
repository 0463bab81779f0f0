#include "core/common/TextScanner.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <limits>
#include <string_view>

#include "core/common/Constants.h"

namespace plumora {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<TextScanner> TextScanner::Open(const std::filesystem::path& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return TextScanner(std::move(content));
}

bool TextScanner::SkipLine(std::size_t limit) {
  std::size_t start = 0, end = 0;
  return BoundedLine(limit, start, end);
}

bool TextScanner::ReadLine(std::string& line) {
  std::size_t start = 0, end = 0;
  const bool read = BoundedLine(kLineReadLimit, start, end);
  line.assign(text_, start, end - start);
  return read;
}

bool TextScanner::BoundedLine(std::size_t limit, std::size_t& start, std::size_t& end) {
  start = end = pos_;
  if (AtEnd()) return false;
  // Only the characters the read may take are searched, so a file without line ends stays a
  // linear read.
  const std::size_t last = limit < text_.size() - pos_ ? pos_ + limit : text_.size();
  const auto feed = std::find(text_.begin() + static_cast<std::ptrdiff_t>(pos_),
                              text_.begin() + static_cast<std::ptrdiff_t>(last), '\n');
  end = static_cast<std::size_t>(feed - text_.begin());
  if (end < last) {
    pos_ = end + 1;
    ++line_;
  } else {
    pos_ = last;
  }
  return true;
}

void TextScanner::SkipRestOfLine() {
  SkipLine(std::string::npos);
}

bool TextScanner::ReadWholeLine(std::string& line) {
  std::size_t start = 0, end = 0;
  const bool read = BoundedLine(std::string::npos, start, end);
  if (end > start && text_[end - 1] == '\r') --end;
  line.assign(text_, start, end - start);
  return read;
}

bool TextScanner::SkipShortLine(std::size_t limit) {
  const std::size_t feed = std::min(text_.find('\n', pos_), text_.size());
  std::size_t length = feed - std::min(pos_, feed);
  if (length > 0 && text_[feed - 1] == '\r') --length;
  if (length > limit) return false;
  SkipRestOfLine();
  return true;
}

void TextScanner::SkipBlanks() {
  for (; pos_ < text_.size() && IsBlank(text_[pos_]); ++pos_) {
    if (text_[pos_] == '\n') ++line_;
  }
}

bool TextScanner::ReadToken(std::string& token) {
  SkipBlanks();
  if (AtEnd()) return false;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
  token.assign(text_, start, pos_ - start);
  return true;
}

bool TextScanner::ReadFloat(double& value) {
  SkipBlanks();
  if (AtEnd()) return false;
  const char* first = text_.data() + pos_;
  const char* last = text_.data() + text_.size();
  bool negative = false;
  const char* p = first;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  if (p < last && *p == '-') return false;  // no second sign
  float f = 0.0f;
  auto [end, ec] = std::from_chars(p, last, f);
  if (ec == std::errc::invalid_argument) return false;
  if (ec == std::errc::result_out_of_range) {
    // Beyond the range of a float: infinity on overflow, zero or a subnormal on underflow, as
    // the C conversion gives.
    double d = 0.0;
    const auto wide = std::from_chars(p, last, d);
    end = wide.ptr;
    if (wide.ec == std::errc::result_out_of_range) {
      const std::string_view number(p, static_cast<std::size_t>(end - p));
      const auto e = number.find_first_of("eE");
      const bool tiny =
          e != std::string_view::npos && e + 1 < number.size() && number[e + 1] == '-';
      d = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    f = std::fabs(d) > std::numeric_limits<float>::max() ? std::numeric_limits<float>::infinity()
                                                         : static_cast<float>(d);
  }
  value = negative ? -static_cast<double>(f) : static_cast<double>(f);
  pos_ += static_cast<std::size_t>(end - first);
  return true;
}

bool TextScanner::ReadInteger(long long& value, int base) {
  SkipBlanks();
  if (AtEnd()) return false;
  const char* first = text_.data() + pos_;
  const char* last = text_.data() + text_.size();
  const char* p = first;
  bool negative = false;
  if (*p == '+' || *p == '-') {
    negative = (*p == '-');
    ++p;
  }
  if (base == 0) {
    base = 10;
    if (p < last && *p == '0') {
      base = 8;
      if (p + 1 < last && (p[1] == 'x' || p[1] == 'X') && p + 2 < last &&
          std::isxdigit(static_cast<unsigned char>(p[2]))) {
        base = 16;
        p += 2;
      }
    }
  }
  unsigned long long magnitude = 0;
  auto [end, ec] = std::from_chars(p, last, magnitude, base);
  if (ec == std::errc::invalid_argument) return false;
  if (ec == std::errc::result_out_of_range) {
    magnitude = std::numeric_limits<unsigned long long>::max();
  }
  // Saturate like the C library does when the value does not fit.
  constexpr unsigned long long kLimit = static_cast<unsigned long long>(LLONG_MAX);
  if (negative) {
    value = magnitude > kLimit ? LLONG_MIN : -static_cast<long long>(magnitude);
  } else {
    value = magnitude > kLimit ? LLONG_MAX : static_cast<long long>(magnitude);
  }
  pos_ += static_cast<std::size_t>(end - first);
  return true;
}

bool TextScanner::ReadLong(long& value) {
  long long v = 0;
  if (!ReadInteger(v, 10)) return false;
  value = static_cast<long>(std::clamp<long long>(v, LONG_MIN, LONG_MAX));
  return true;
}

bool TextScanner::ReadInt(int& value) {
  long long v = 0;
  if (!ReadInteger(v, 0)) return false;
  value = static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
  return true;
}

}  // namespace plumora
