#include "platform/files.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
// after windows.h
#include <fcntl.h>
#include <io.h>

#include "platform/utf16.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

std::FILE* CreateNewFile(const std::string& path, bool& alreadyExists) {
  alreadyExists = false;
  const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                 CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    alreadyExists = ::GetLastError() == ERROR_FILE_EXISTS;
    return nullptr;
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(h), _O_BINARY);
  if (fd < 0) {
    ::CloseHandle(h);
    ::DeleteFileW(Wide(path).c_str());
    return nullptr;
  }
  std::FILE* f = ::_fdopen(fd, "wb");
  if (!f) {
    ::_close(fd);
    ::DeleteFileW(Wide(path).c_str());
  }
  return f;
}

bool ReadRegularFileNoFollow(const std::string& path, std::uint64_t maxBytes,
                             std::string& contents) {
  const HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  struct Closer {
    HANDLE h;
    ~Closer() { ::CloseHandle(h); }
  } closer{h};
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h, &info)) return false;
  if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  const std::uint64_t size =
      (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > maxBytes) return false;
  contents.clear();
  contents.reserve(static_cast<std::size_t>(size));
  char chunk[1 << 16];
  for (;;) {
    DWORD got = 0;
    if (!::ReadFile(h, chunk, sizeof chunk, &got, nullptr)) return false;
    if (got == 0) break;
    contents.append(chunk, got);
    if (contents.size() > maxBytes) return false;  // it grew while being read
  }
  return true;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  std::filesystem::directory_iterator it(PathFromUtf8(folder), ec);
  if (ec) return names;
  for (const auto& entry : it) names.push_back(Utf8FromPath(entry.path().filename()));
  return names;
}

bool FlushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
  const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) != 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  // Write-through: the rename itself reaches the disk before the call returns. While
  // another program (a virus scanner, an indexer, a second save) holds the target for a
  // moment, Windows refuses the replace; try again briefly before giving up.
  const std::wstring source = Wide(from), target = Wide(to);
  for (int attempt = 0;; ++attempt) {
    if (::MoveFileExW(source.c_str(), target.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = ::GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == 50)
      return false;
    ::Sleep(20);
  }
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

std::FILE* CreateNewFile(const std::string& path, bool& alreadyExists) {
  alreadyExists = false;
  // Mode 0666 so that the umask applies as to any new file (pages must stay readable by a
  // web server).
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    alreadyExists = errno == EEXIST;
    return nullptr;
  }
  std::FILE* f = ::fdopen(fd, "wb");
  if (!f) {
    ::close(fd);
    ::unlink(path.c_str());
  }
  return f;
}

bool ReadRegularFileNoFollow(const std::string& path, std::uint64_t maxBytes,
                             std::string& contents) {
  // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
  if (static_cast<std::uint64_t>(info.st_size) > maxBytes) return false;
  contents.clear();
  contents.reserve(static_cast<std::size_t>(info.st_size));
  char chunk[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    contents.append(chunk, static_cast<std::size_t>(got));
    if (contents.size() > maxBytes) return false;  // it grew while being read
  }
  return true;
}

std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  return names;
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
