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
  // memchr runs far faster than a byte loop over a file of several MB.
  const char* p = contents.data();
  const char* const end = p + contents.size();
  while (p < end) {
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (!lf) break;
    ++lineCount_;
    p = static_cast<const char*>(lf) + 1;
  }
  if (!contents.empty() && contents.back() != '\n') ++lineCount_;
}

std::string_view LineReader::Next() {
  if (next_ >= lineCount_) return {};
  ++next_;
  std::size_t end = contents_.find('\n', position_);
  if (end == std::string_view::npos) end = contents_.size();
  std::string_view line = contents_.substr(position_, end - position_);
  position_ = end < contents_.size() ? end + 1 : contents_.size();
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

int LineReader::NextInt(int fallback) {
  return LenientInt(Next(), fallback);
}

double LineReader::NextDecimal() {
  return StrictDecimal(Next());
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
  if (static_cast<std::size_t>(count) > Remaining() / linesPerItem)
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

}  // namespace

std::FILE* CreateTempBeside(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::uint64_t bits = (static_cast<std::uint64_t>(random()) << 32) ^ counter++;
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
