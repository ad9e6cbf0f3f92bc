#include "storage/line_reader.h"

#include <cstdio>
#include <cstring>

#include <unistd.h>

#include "model/error.h"
#include "model/numbers.h"

namespace drav {

LineReader::LineReader(std::string_view contents) {
  const std::size_t ctrlZ = contents.find('\x1a');
  if (ctrlZ != std::string_view::npos) contents = contents.substr(0, ctrlZ);
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

int LineReader::NextInt(int fallback) { return LenientInt(Next(), fallback); }

double LineReader::NextDecimal() { return StrictDecimal(Next()); }

int LineReader::NextCount(std::size_t linesPerItem) {
  const int count = NextInt(0);
  if (count <= 0) return 0;
  if (linesPerItem == 0) linesPerItem = 1;
  if (static_cast<std::size_t>(count) > Remaining() / linesPerItem)
    throw DravError("The file ends early");
  return count;
}

std::string ReadWholeFile(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
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

void WriteFileAtomically(const std::string& path, std::string_view contents) {
  const std::string temp = path + ".tmp~";
  {
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) throw DravError("Cannot write " + path);
    const bool written = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    // Flushed to disk before the rename, so the new name never points at lost data.
    const bool flushed = std::fflush(f) == 0 && ::fsync(::fileno(f)) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) {
      std::remove(temp.c_str());
      throw DravError("Cannot write " + path);
    }
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    throw DravError("Cannot write " + path);
  }
}

}  // namespace drav
