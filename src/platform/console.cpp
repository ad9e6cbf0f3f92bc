#include "platform/console.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs what windows.h defines.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>

#include "platform/utf16.h"
#endif

namespace drav::platform {

#ifdef _WIN32

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!wide) return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  std::vector<std::string> words;
  for (int i = 1; i < count; ++i) {
    const std::wstring_view w(wide[i]);
    words.push_back(Utf8FromUtf16(std::u16string(w.begin(), w.end())));
  }
  ::LocalFree(wide);
  return words;
}

void PrepareConsole() {
  ::SetConsoleOutputCP(CP_UTF8);
  ::SetConsoleCP(CP_UTF8);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
}

#else

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void PrepareConsole() {}

#endif

}  // namespace drav::platform
