#include "storage/line_reader.h"

#include <cstdio>

#include <unistd.h>

#include "model/error.h"
#include "model/numbers.h"

namespace drav {

LineReader::LineReader(std::string_view contents) {
  const std::size_t ctrlZ = contents.find('\x1a');
  if (ctrlZ != std::string_view::npos) contents = contents.substr(0, ctrlZ);
  std::size_t lineFeeds = 0;
  for (char c : contents) lineFeeds += c == '\n';
  lines_.reserve(lineFeeds + 1);
  std::size_t start = 0;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    const bool last = end == std::string_view::npos;
    if (last) end = contents.size();
    std::string_view line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.push_back(line);
    start = last ? contents.size() : end + 1;
  }
}

std::string_view LineReader::Next() {
  if (next_ >= lines_.size()) return {};
  return lines_[next_++];
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
