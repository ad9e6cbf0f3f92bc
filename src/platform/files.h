#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The operating system's files, behind one small interface. Every path in DRAV is a
// std::string of UTF-8 text; on Windows these functions hand it to the wide-character
// APIs, so names beyond ASCII work there too. On POSIX systems a path's bytes are used as
// they are.
namespace drav::platform {

// A std::filesystem path for a UTF-8 path, and back.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 path.
std::FILE* OpenFile(const std::string& path, const char* mode);

// Creates path for writing only when no file of that name exists, so nothing is ever
// replaced. On failure alreadyExists tells whether that was the reason.
std::FILE* CreateNewFile(const std::string& path, bool& alreadyExists);

// Reads a regular file without following a symbolic link (or other reparse point) in its
// last component and without waiting on a FIFO or a device; false for anything else, or
// for a file over maxBytes.
bool ReadRegularFileNoFollow(const std::string& path, std::uint64_t maxBytes,
                             std::string& contents);

// The names in a folder; none when it cannot be read.
std::vector<std::string> FolderNames(const std::string& folder);

// Flushes the stream and forces what it wrote to the disk.
bool FlushToDisk(std::FILE* file);

// Renames from over to (replacing it) in one step; false leaves to as it was.
bool RenameOver(const std::string& from, const std::string& to);

// Removes a file; false when it could not be removed.
bool RemoveFile(const std::string& path);

// An environment variable as UTF-8; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const char* name);

// The user's home folder (HOME, or on Windows USERPROFILE); "" when unknown.
std::string HomeFolder();

}  // namespace drav::platform
