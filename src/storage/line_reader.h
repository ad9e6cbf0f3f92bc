#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace drav {

// The lines of a text file held in memory. Lines end at LF (a CR before it is dropped);
// a Ctrl-Z byte ends the file; a NUL byte reads as a space. Lines of any length are kept whole.
// Past the end every line reads as empty, as the file formats expect of a file that ends early.
class LineReader {
 public:
  explicit LineReader(std::string_view contents);
  LineReader(const LineReader&) = delete;  // the view may point into owned_
  LineReader& operator=(const LineReader&) = delete;

  std::string_view Next();
  std::string NextString() { return std::string(Next()); }
  // Integer with a default for empty or non-numeric lines.
  int NextInt(int fallback = 0);
  // Games-played value; throws DravError for a line that is not a decimal number.
  double NextDecimal();
  // A count line: a count larger than the lines left, or one with the integer syntax but
  // negative or out of the 32-bit range, means the file is damaged and throws DravError
  // "The file ends early"; other text reads as 0. linesPerItem is the least number of
  // lines each counted item occupies.
  int NextCount(std::size_t linesPerItem = 1);
  // The game count: damaged by the same rule, but not compared with the lines left (a
  // missing game fails on its first games-played line).
  int NextGameCount();

  // The lines left; the first call counts the whole file.
  std::size_t Remaining();
  // Whether at least n lines are left; looks no further ahead than n lines.
  bool HasLines(std::size_t n);
  bool AtEnd() const { return position_ >= contents_.size(); }
  std::size_t LineNumber() const { return next_; }

 private:
  static constexpr std::size_t kUncounted = static_cast<std::size_t>(-1);
  // Lines are found as they are read and counted only when asked: a large file is neither
  // split nor counted up front.
  std::string owned_;  // a copy, only when NULs had to be replaced
  std::string_view contents_;
  std::size_t position_ = 0;
  std::size_t lineCount_ = kUncounted;
  std::size_t next_ = 0;
};

// Reads a whole file into memory; throws DravError "Cannot open <path>" on failure.
std::string ReadWholeFile(const std::string& path);

// Creates a new temporary file beside path, "<path>.<pid>-XXXXXX.tmp~", open for writing;
// temp gets its name. nullptr when it cannot be created.
std::FILE* CreateTempBeside(const std::string& path, std::string& temp);

// Removes the temporary files "<pathPrefix>...<pid>-XXXXXX.tmp~" that a DRAV process left
// when it was killed inside a write (their process is gone); those of a running save stay.
void RemoveStaleTemps(const std::string& pathPrefix);

// Writes contents to path through a temporary file beside it that is renamed over the
// target, so that a crash never leaves a truncated file. Throws DravError
// "Cannot write <path>" on failure, leaving any old file as it was.
void WriteFileAtomically(const std::string& path, std::string_view contents);

}  // namespace drav
