#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

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
