# DRAV itself for Windows, its tests under Wine, and the packages. Sourced by
# scripts/build-windows.sh.

version=$(sed -n 's/^project(DRAV VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# A Wine of our own in the build folder, quiet and headless.
export WINEPREFIX=${WINEPREFIX:-$out/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
prepare_wine() {
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    step "Wine prefix"
    mkdir -p "$WINEPREFIX"
    timeout 300 "$wine" wineboot --init > /dev/null 2>&1 || true
    timeout 120 "$wineserver" -w || true
  fi
}

drav_cmake() { # build folder [options...]
  local bld=$1
  shift
  local opts=()
  if command -v ccache > /dev/null; then
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
    opts+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$root" -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH="$prefix" -DDRAV_BUILD_BENCH=OFF \
    -DDRAV_WERROR="${DRAV_WERROR:-OFF}" "${opts[@]}" "$@" >&2
  cmake --build "$bld" -j "$jobs" >&2
}

# The core, drav-cli and their tests: no Qt needed.
build_core() {
  step "DRAV core and drav-cli for Windows"
  drav_cmake "$out/core" -DDRAV_BUILD_GUI=OFF
}

# The core and drav-cli suites as Windows programs under Wine.
test_core() {
  prepare_wine
  step "Core and drav-cli tests under Wine"
  # One Wine server for the whole run instead of one per test program. Its services start
  # here, away from ctest: started by the first test, they would keep that test's output
  # pipes open, and ctest would wait on them until its timeout.
  "$wineserver" -p || true
  timeout 300 "$wine" cmd /c exit < /dev/null > /dev/null 2>&1 || true
  local rc=0
  ctest --test-dir "$out/core" --output-on-failure -j "$jobs" --timeout 900 || rc=$?
  "$wineserver" -k 2> /dev/null || true
  return $rc
}

# drav-cli.exe posting by FTP, FTPS and SFTP to the local test servers: the Linux build's
# command-line posting tests (which start the servers) run drav-cli.exe under Wine.
test_posting() {
  local linux_tests=$root/build/release/bin/drav_cli_tests
  if [ ! -x "$linux_tests" ]; then
    echo "(no Linux build in build/release: posting from drav-cli.exe not checked)" >&2
    return
  fi
  prepare_wine
  step "drav-cli.exe posts by FTP, FTPS and SFTP under Wine"
  DRAV_TEST_CLI="$out/core/bin/drav-cli.exe" DRAV_TEST_CLI_EMULATOR="$wine" \
    timeout 900 "$linux_tests" --gtest_filter='*CliPost*' >&2
}

build_gui() {
  step "DRAV with its desktop program for Windows"
  drav_cmake "$out/full" -DDRAV_BUILD_GUI=ON -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_PREFIX_PATH="$prefix;$prefix/qt6"
}

test_gui() {
  prepare_wine
  step "Desktop window tests under Wine"
  "$wineserver" -p || true
  timeout 300 "$wine" cmd /c exit < /dev/null > /dev/null 2>&1 || true
  # The Qt and mingw runtime DLLs are found on WINEPATH. The offscreen platform takes its
  # fonts from a folder (Debian's DejaVu); Wine hides QT_* variables of the Linux side, so
  # that one is set in the prefix's own environment.
  local gcc_dir rc=0
  gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
  "$wine" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d 'Z:\usr\share\fonts\truetype\dejavu' \
    /f < /dev/null > /dev/null 2>&1
  WINEPATH="Z:$prefix/qt6/bin;Z:$gcc_dir;Z:/usr/x86_64-w64-mingw32/lib" \
    ctest --test-dir "$out/full" --output-on-failure -j "$jobs" --timeout 600 -L gui || rc=$?
  "$wineserver" -k 2> /dev/null || true
  return $rc
}

# The mingw runtime DLLs that drav.exe and the Qt DLLs need beside them.
runtime_dlls() {
  local gcc_dir
  gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
  echo "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll
}

# The portable folder: the programs, the Qt DLLs and plugins they need, the runtime, the
# help and references beside drav.exe, and the sample tournament.
stage_portable() {
  local stage=$1 qt=$prefix/qt6 f
  rm -rf "$stage"
  mkdir -p "$stage/platforms" "$stage/styles" "$stage/printsupport" "$stage/examples"
  cp "$out/full/bin/drav.exe" "$out/full/bin/drav-cli.exe" "$stage/"
  for f in Qt6Core Qt6Gui Qt6Widgets Qt6PrintSupport; do cp "$qt/bin/$f.dll" "$stage/"; done
  cp "$qt/plugins/platforms/qwindows.dll" "$stage/platforms/"
  cp "$qt"/plugins/styles/*.dll "$stage/styles/"
  cp "$qt"/plugins/printsupport/*.dll "$stage/printsupport/" 2> /dev/null || rmdir "$stage/printsupport"
  # shellcheck disable=SC2046
  cp $(runtime_dlls) "$stage/"
  cp -r "$root/docs/help" "$stage/help"
  cp "$root/docs/cli.md" "$root/docs/qbj.md" "$stage/"
  cp "$root/examples/sample-tournament.dat" "$stage/examples/"
  cp "$root/data/windows/drav.ico" "$stage/"
  x86_64-w64-mingw32-strip "$stage"/*.exe
}

package() {
  step "Portable zip"
  local name=DRAV-$version-win64
  stage_portable "$out/stage/$name"
  rm -f "$out/$name.zip"
  (cd "$out/stage" && zip -qr "$out/$name.zip" "$name")
  step "Installer"
  makensis -V2 -DVERSION="$version" -DSTAGE="$out/stage/$name" \
    -DOUTFILE="$out/DRAV-$version-setup.exe" "$root/data/windows/drav.nsi" >&2
  finish_step
  echo "$out/$name.zip"
  echo "$out/DRAV-$version-setup.exe"
}
