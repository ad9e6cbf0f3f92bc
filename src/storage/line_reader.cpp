#include "storage/line_reader.h"

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <random>

#include "model/error.h"
#include "model/numbers.h"
#include "platform/files.h"
#include "platform/process.h"

namespace drav {

LineReader::LineReader(std::string_view contents) {
  const std::size_t ctrlZ = contents.find('\x1a');
  if (ctrlZ != std::string_view::npos) contents = contents.substr(0, ctrlZ);
  // A NUL would cut a name where the system or a page reads it: every reader sees a space.
  if (contents.find('\0') != std::string_view::npos) {
    owned_.assign(contents);
    for (char& c : owned_)
      if (c == '\0') c = ' ';
    contents = owned_;
  }
  contents_ = contents;
}

namespace {

// The number of lines in text, up to limit: a line ends at LF, and a last line without one
// counts too. memchr runs far faster than a byte loop over a file of several MB.
std::size_t CountLines(std::string_view text, std::size_t limit) {
  const char* p = text.data();
  const char* const end = p + text.size();
  std::size_t lines = 0;
  while (p < end && lines < limit) {
    ++lines;
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!lf) break;
    p = static_cast<const char*>(lf) + 1;
  }
  return lines;
}

}  // namespace

std::size_t LineReader::Remaining() {
  if (lineCount_ == kUncounted)
    lineCount_ = next_ + CountLines(contents_.substr(position_), kUncounted);
  return lineCount_ - next_;
}

bool LineReader::HasLines(std::size_t n) {
  if (lineCount_ != kUncounted) return lineCount_ - next_ >= n;
  return CountLines(contents_.substr(position_), n) >= n;
}

std::string_view LineReader::Next() {
  if (AtEnd()) return {};
  ++next_;
  const char* const start = contents_.data() + position_;
  const std::size_t left = contents_.size() - position_;
  // Most lines are a few characters: a short look costs less than a call to memchr.
  std::size_t length = 0;
  while (length < left && length < 16 && start[length] != '\n') ++length;
  if (length == 16) {
    const void* lf = std::memchr(start + length, '\n', left - length);
    length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : left;
  }
  position_ += length < left ? length + 1 : left;
  if (length > 0 && start[length - 1] == '\r') --length;
  return {start, length};
}

namespace {

// A line of at most 9 characters holding only digits, with an optional leading '-', is
// within the 32-bit range and reads the same as under the full grammar, much faster.
bool PlainInt(std::string_view line, int& value) {
  if (line.empty() || line.size() > 9) return false;
  const bool negative = line[0] == '-';
  std::size_t i = negative ? 1 : 0;
  if (i == line.size()) return false;
  int v = 0;
  for (; i < line.size(); ++i) {
    const unsigned digit = static_cast<unsigned char>(line[i]) - static_cast<unsigned>('0');
    if (digit > 9) return false;
    v = v * 10 + static_cast<int>(digit);
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace

int LineReader::NextInt(int fallback) {
  const std::string_view line = Next();
  int value = 0;
  if (PlainInt(line, value)) return value;
  return LenientInt(line, fallback);
}

double LineReader::NextDecimal() {
  const std::string_view line = Next();
  // A whole number of at most 9 digits converts exactly; "-0" is left to the full grammar
  // for its sign.
  int value = 0;
  if (!line.empty() && line[0] != '-' && PlainInt(line, value)) return value;
  return StrictDecimal(line);
}

namespace {

int CountValue(std::string_view line) {
  if (!HasIntegerSyntax(line)) return 0;
  const std::optional<int> count = TryStrictInt(line);
  // Read leniently, "-1" or a 20-digit count would quietly become no items at all.
  if (!count || *count < 0) throw DravError("The file ends early");
  return *count;
}

}  // namespace

int LineReader::NextGameCount() {
  return CountValue(Next());
}

int LineReader::NextCount(std::size_t linesPerItem) {
  const int count = CountValue(Next());
  if (count == 0) return 0;
  if (linesPerItem == 0) linesPerItem = 1;
  // Lines are never more than bytes + 1, so a count beyond that needs no look at the lines.
  const std::size_t needed = static_cast<std::size_t>(count);
  if (needed > (contents_.size() - position_ + 1) / linesPerItem ||
      !HasLines(needed * linesPerItem))
    throw DravError("The file ends early");
  return count;
}

std::string ReadWholeFile(const std::string& path) {
  std::FILE* f = platform::OpenFile(path, "rb");
  if (!f) throw DravError("Cannot open " + path);
  std::string contents;
  char chunk[1 << 16];
  std::size_t got = 0;
  while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0) contents.append(chunk, got);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) throw DravError("Cannot open " + path);
  return contents;
}

namespace {

constexpr std::string_view kTempEnd = ".tmp~";

// The pid in a temporary file's name "<prefix>.<pid>-XXXXXX.tmp~", or 0 when the name is
// not one of ours.
int TempFilePid(std::string_view file) {
  if (file.size() < kTempEnd.size() + 10 || file.substr(file.size() - kTempEnd.size()) != kTempEnd)
    return 0;
  file.remove_suffix(kTempEnd.size() + 6);
  if (file.back() != '-') return 0;
  file.remove_suffix(1);
  const std::size_t dot = file.find_last_of('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view digits = file.substr(dot + 1);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  return LenientInt(digits, 0);
}

// A 64-bit mix (splitmix64's finaliser): consecutive counts give unrelated names.
std::uint64_t MixBits(std::uint64_t x) {
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

}  // namespace

std::FILE* CreateTempBeside(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  // Drawn once: opening the system's random source per file slows a report of two
  // thousand pages, and the counter keeps one process's names apart anyway.
  static const std::uint64_t seed = [] {
    std::random_device random;
    return (static_cast<std::uint64_t>(random()) << 32) ^ random();
  }();
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::uint64_t bits = MixBits(seed + counter++);
    std::string name = path + "." + std::to_string(platform::ProcessId()) + "-";
    for (int i = 0; i < 6; ++i, bits /= 36) name += kLetters[bits % 36];
    name += kTempEnd;
    // A new file only: never another save's file.
    bool exists = false;
    std::FILE* f = platform::CreateNewFile(name, exists);
    if (!f) {
      if (exists) continue;
      return nullptr;
    }
    temp = std::move(name);
    return f;
  }
  return nullptr;
}

void RemoveStaleTemps(const std::string& pathPrefix) {
  const std::size_t slash = pathPrefix.find_last_of('/');
  const std::string dir =
      slash == std::string::npos ? std::string() : pathPrefix.substr(0, slash + 1);
  const std::string_view start = std::string_view(pathPrefix).substr(dir.size());
  for (const std::string& name : platform::FolderNames(dir.empty() ? "." : dir)) {
    const std::string_view file = name;
    if (file.substr(0, start.size()) != start) continue;
    const int pid = TempFilePid(file.substr(start.size()));
    // Only a file whose writer has gone: another save may be writing its own right now.
    if (pid <= 0 || !platform::ProcessHasEnded(pid)) continue;
    platform::RemoveFile(dir + name);
  }
}

void WriteFileAtomically(const std::string& path, std::string_view contents) {
  RemoveStaleTemps(path);
  // A name of its own, so that two saves to one file at once never share a temporary file.
  std::string temp;
  {
    std::FILE* f = CreateTempBeside(path, temp);
    if (!f) throw DravError("Cannot write " + path);
    const bool written = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    // Flushed to disk before the rename, so the new name never points at lost data.
    const bool flushed = platform::FlushToDisk(f);
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
      platform::RemoveFile(temp);
      throw DravError("Cannot write " + path);
    }
  }
  if (!platform::RenameOver(temp, path)) {
    platform::RemoveFile(temp);
    throw DravError("Cannot write " + path);
  }
}

}  // namespace drav
