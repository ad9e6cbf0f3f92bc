# Cross-compiling for 64-bit Windows with Debian's mingw-w64 (the posix thread model, which
# std::thread and std::mutex need). DRAV_WIN_PREFIX names the folder of the Windows
# dependencies built by scripts/build-windows.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_AR x86_64-w64-mingw32-gcc-ar-posix)
set(CMAKE_RANLIB x86_64-w64-mingw32-gcc-ranlib-posix)

if(DEFINED ENV{DRAV_WIN_PREFIX})
  set(DRAV_WIN_PREFIX "$ENV{DRAV_WIN_PREFIX}" CACHE PATH "Windows dependencies")
endif()
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 ${DRAV_WIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Tests and tools run under Wine.
find_program(DRAV_WINE NAMES wine64 wine HINTS /usr/lib/wine)
if(DRAV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DRAV_WINE})
endif()
