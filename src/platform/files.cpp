#include "platform/files.h"

#include <cstdlib>

#ifdef _WIN32
#include <io.h>
#include <windows.h>

#include "platform/utf16.h"
#else
#include <unistd.h>
#endif

namespace drav::platform {

#ifdef _WIN32

namespace {

std::wstring Wide(const std::string& utf8) {
  const std::u16string u16 = Utf16FromUtf8(utf8);
  return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(const wchar_t* wide) {
  const std::wstring_view w(wide);
  return Utf8FromUtf16(std::u16string(w.begin(), w.end()));
}

}  // namespace

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(Wide(utf8));
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return Narrow(path.c_str());
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return ::_wfopen(Wide(path).c_str(), Wide(mode).c_str());
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) != 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  // Write-through: the rename itself reaches the disk before the call returns.
  return ::MoveFileExW(Wide(from).c_str(), Wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string& path) {
  return ::DeleteFileW(Wide(path).c_str()) != 0;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const wchar_t* value = ::_wgetenv(Wide(name).c_str());
  if (!value) return std::nullopt;
  return Narrow(value);
}

std::string HomeFolder() {
  if (auto home = EnvironmentVariable("HOME"); home && !home->empty()) return *home;
  return EnvironmentVariable("USERPROFILE").value_or("");
}

#else

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(utf8);
}

std::string Utf8FromPath(const std::filesystem::path& path) {
  return path.string();
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

bool FlushToDisk(std::FILE* file) {
  return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

std::optional<std::string> EnvironmentVariable(const char* name) {
  const char* value = std::getenv(name);
  if (!value) return std::nullopt;
  return std::string(value);
}

std::string HomeFolder() {
  return EnvironmentVariable("HOME").value_or("");
}

#endif

}  // namespace drav::platform
