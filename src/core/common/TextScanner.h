// Reads the text data files (.atm, .adf, import files) the way they have always been read: whole
// lines skipped with a bounded read, numbers and words taken token by token with the C
// conversions %f, %ld, %i and %s. Every read reports failure instead of running past the end,
// so a reader can refuse a short or malformed file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

#include "core/common/Constants.h"

namespace plumora {

class TextScanner {
 public:
  explicit TextScanner(std::string content) : text_(std::move(content)) {}

  // The file's bytes as they are (no line-end translation); nullopt when it cannot be read.
  static std::optional<TextScanner> Open(const std::filesystem::path& path);

  // Consumes the rest of the current line like a bounded line read: at most limit characters,
  // stopping after a line feed. False when nothing was left to read.
  bool SkipLine(std::size_t limit = kLineReadLimit);
  // The same bounded read of at most kLineReadLimit characters, giving the characters read
  // without the line feed.
  bool ReadLine(std::string& line);
  // Consumes the rest of the current line and its line feed, however long the line is.
  void SkipRestOfLine();
  // The rest of the current line, however long, without its line end (LF or CR LF); the line
  // feed is consumed. False when nothing was left to read.
  bool ReadWholeLine(std::string& line);
  // Consumes the rest of the current line and its line feed when at most limit characters stand
  // before its line end; false, consuming nothing, when the line is longer.
  bool SkipShortLine(std::size_t limit = kLineReadLimit);
  // Blanks (spaces, tabs, line ends) are skipped before each token. False, with the position
  // left at the offending token, when no token of the right form stands there.
  bool ReadFloat(double& value);       // %f: single precision, widened to double
  bool ReadLong(long& value);          // %ld
  bool ReadInt(int& value);            // %i: decimal, 0x hexadecimal or 0 octal
  bool ReadToken(std::string& token);  // %s

  bool AtEnd() const { return pos_ >= text_.size(); }
  // Bytes not read yet.
  std::size_t Remaining() const { return AtEnd() ? 0 : text_.size() - pos_; }
  // True when nothing but blanks is left (the blanks are consumed).
  bool OnlyBlanksLeft() {
    SkipBlanks();
    return AtEnd();
  }
  // 1-based number of the line holding the current position.
  int Line() const { return line_; }

 private:
  void SkipBlanks();
  // A bounded line read: the characters read, without the line feed, are [start, end).
  bool BoundedLine(std::size_t limit, std::size_t& start, std::size_t& end);
  bool ReadInteger(long long& value, int base);

  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 1;  // kept up to date as reads pass line feeds
};

}  // namespace plumora
