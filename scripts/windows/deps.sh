# The Windows dependencies of DRAV, built from Debian's source packages into $prefix.
# Sourced by scripts/build-windows.sh.

toolchain=$root/cmake/mingw-w64-x86_64.cmake

install_packages() {
  step "Debian packages"
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    mingw-w64-tools wine64 nsis zip unzip xvfb xauth imagemagick fonts-dejavu-core
    cmake ninja-build dpkg-dev qt6-base-dev qt6-base-dev-tools
    libgtest-dev nlohmann-json3-dev
    python3-pyftpdlib python3-openssl python3-cryptography openssl python3-asyncssh
  )
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    local sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo_cmd apt-get -o DPkg::Lock::Timeout=900 update -qq
    $sudo_cmd apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# apt-get with a sources list of our own holding only deb-src lines for this machine's Debian
# suite, and its own lists and cache, so the machine's apt setup is left alone.
apt_src_opts=()
apt_src_ready=0
prepare_apt_src() {
  [ "$apt_src_ready" = 1 ] && return
  local suite dir=$cache/apt
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial" "$dir/parts"
  cat > "$dir/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite-updates main
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security $suite-security main
LIST
  apt_src_opts=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/parts"
    -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache=$dir/cache" -o APT::Sandbox::User=root)
  apt-get "${apt_src_opts[@]}" update -qq
  apt_src_ready=1
}

# Unpacks Debian's source package $1 (version $2, or else the newest one the mirror serves)
# under $cache/src, writes its version to $cache/src/$1/version and prints the folder.
debian_source() {
  local pkg=$1 version=${2:-} dir v
  dir=$(find "$cache/src/$pkg" -mindepth 1 -maxdepth 1 -type d 2>/dev/null | head -n1 || true)
  if [ -z "$dir" ]; then
    prepare_apt_src
    # A mirror may list a security update before it serves its files: the next one is tried.
    for v in ${version:-$(debian_source_versions "$pkg")}; do
      rm -rf "$cache/src/$pkg"
      mkdir -p "$cache/src/$pkg"
      if (cd "$cache/src/$pkg" && apt-get "${apt_src_opts[@]}" source -qq "$pkg=$v" >&2); then
        echo "$v" > "$cache/src/$pkg/version"
        break
      fi
    done
    dir=$(find "$cache/src/$pkg" -mindepth 1 -maxdepth 1 -type d | head -n1)
    [ -f "$cache/src/$pkg/version" ] || { echo "cannot fetch Debian's source of $pkg" >&2; return 1; }
  fi
  echo "$dir"
}

# The versions of source package $1 in the lists, newest first.
debian_source_versions() {
  local v i sorted=()
  while read -r v; do
    i=0
    while [ "$i" -lt ${#sorted[@]} ] && dpkg --compare-versions "${sorted[$i]}" gt "$v"; do
      i=$((i + 1))
    done
    sorted=("${sorted[@]:0:$i}" "$v" "${sorted[@]:$i}")
  done < <(apt-cache "${apt_src_opts[@]}" showsrc "$1" | awk '/^Version:/ {print $2}')
  printf '%s\n' "${sorted[@]}"
}

stamp_ok() { [ -f "$cache/stamps/$1" ]; }
stamp_set() { date -u > "$cache/stamps/$1"; }
# A short digest of a build's options (and of the stamps of what it links), part of its
# stamp's name, so that a cache built otherwise is built again.
options_tag() { printf '%s\n' "$@" | sha256sum | cut -c1-12; }

# Qt's host tools (moc, rcc, uic) come from Debian's Qt, so the source must be that version.
qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }

build_qt() {
  local version stamp src bld
  version=$(qt_version)
  stamp="qtbase-$version"
  if stamp_ok "$stamp"; then return; fi
  step "Qt $version (qtbase) for Windows"
  src=$(debian_source qt6-base "$version")
  bld=$cache/build/qtbase
  rm -rf "$prefix/qt6"
  # An interrupted build goes on where it stopped.
  [ -f "$bld/build.ninja" ] || qt_configure "$src" "$bld"
  cmake --build "$bld" -j "$jobs" >&2
  cmake --install "$bld" >&2
  rm -rf "$bld"
  stamp_set "$stamp"
}

qt_configure() {
  local src=$1 bld=$2
  rm -rf "$bld"
  # DRAV uses none of sql, network, dbus, vulkan, concurrent or xml. Debian's source has no
  # Wacom tablet header, so tablet events are off; the Windows platform plugin needs OpenGL,
  # which becomes dynamic OpenGL (chosen at run time).
  cmake -S "$src" -B "$bld" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix/qt6" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_opengl_dynamic=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_widgets=ON -DFEATURE_printsupport=ON -DFEATURE_testlib=ON >&2
}

cmake_cross() { # source build [cmake options...]: configures, builds and installs into $prefix
  local src=$1 bld=$2
  shift 2
  rm -rf "$bld"
  cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    "$@" >&2
  cmake --build "$bld" -j "$jobs" >&2
  cmake --install "$bld" >&2
  rm -rf "$bld"
}

# OpenSSL's libcrypto, static and alone, for libssh2: Windows' own cryptography (WinCNG)
# in libssh2 1.10 knows neither ed25519 nor ECDSA host keys nor SHA-2 RSA signatures, which
# current SSH servers require. No libssl (TLS is Schannel's), no programs, no modules, and
# none of the algorithms SSH does not use.
openssl_options=(mingw64 no-shared no-tests no-module no-dso no-engine no-legacy
  no-ui-console no-aria no-camellia no-cmp no-cms no-ct no-gost no-idea no-mdc2 no-md4
  no-ocb no-ocsp no-rc2 no-rc5 no-rfc3779 no-scrypt no-seed no-siphash no-siv no-sm2 no-sm3
  no-sm4 no-srp no-ts no-whirlpool no-comp no-sctp no-srtp)
openssl_stamp=""
build_openssl() {
  local src version bld
  src=$(debian_source openssl)
  version=$(cat "$cache/src/openssl/version")
  openssl_stamp="openssl-$version-$(options_tag "${openssl_options[@]}")"
  if stamp_ok "$openssl_stamp"; then return; fi
  step "OpenSSL $version (libcrypto) for Windows"
  bld=$cache/build/openssl
  rm -rf "$bld"
  mkdir -p "$bld" "$prefix/lib"
  (
    cd "$bld"
    CC=x86_64-w64-mingw32-gcc-posix AR=x86_64-w64-mingw32-ar RANLIB=x86_64-w64-mingw32-ranlib \
      RC=x86_64-w64-mingw32-windres perl "$src/Configure" "${openssl_options[@]}" \
      --prefix="$prefix" >&2
    make -j "$jobs" build_generated >&2
    make -j "$jobs" libcrypto.a >&2
  )
  rm -rf "$prefix/include/openssl"
  mkdir -p "$prefix/include/openssl"
  cp "$src"/include/openssl/*.h "$bld"/include/openssl/*.h "$prefix/include/openssl/"
  cp "$bld/libcrypto.a" "$prefix/lib/"
  rm -rf "$bld"
  stamp_set "$openssl_stamp"
}

# libcurl with Windows' own TLS (Schannel: certificates checked against the Windows store or
# --ca-file) and libssh2 on OpenSSL's libcrypto for SFTP; all static, so drav-cli.exe needs
# no more DLLs.
build_curl() {
  local ssh_version curl_version src ssh_stamp curl_stamp
  build_openssl
  ssh_version=$(debian_source_version libssh2)
  curl_version=$(debian_source_version curl)
  # libssh2's CMake looks for libssl too, which SSH does not use: libcrypto stands in. Its
  # check for OpenSSL's AES-CTR links without the Windows libraries a static libcrypto needs
  # and so would fail; OpenSSL 3 has it.
  local ssh_options=(-DBUILD_SHARED_LIBS=OFF -DCRYPTO_BACKEND=OpenSSL
    -DOPENSSL_ROOT_DIR="$prefix" -DOPENSSL_USE_STATIC_LIBS=ON -DSSL_EAY="$prefix/lib/libcrypto.a"
    -DHAVE_EVP_AES_128_CTR=1
    -DENABLE_ZLIB_COMPRESSION=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF)
  ssh_stamp="libssh2-$ssh_version-$(options_tag "$openssl_stamp" "${ssh_options[@]}")"
  if ! stamp_ok "$ssh_stamp"; then
    step "libssh2 $ssh_version (on OpenSSL) for Windows"
    src=$(debian_source libssh2 "$ssh_version")
    cmake_cross "$src" "$cache/build/libssh2" "${ssh_options[@]}"
    stamp_set "$ssh_stamp"
  fi
  # libcrypto follows libssh2 into CURL::libcurl's link; the Windows libraries it needs are
  # among libcurl's own (ws2_32, crypt32, bcrypt, advapi32) and the compiler's defaults.
  local ssh_libs="$prefix/lib/libssh2.a;$prefix/lib/libcrypto.a"
  local curl_options=(-DBUILD_SHARED_LIBS=OFF -DBUILD_CURL_EXE=OFF
    -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF
    -DCURL_USE_LIBSSH2=ON -DCURL_USE_LIBSSH=OFF -DENABLE_UNICODE=ON -DCURL_ZLIB=OFF
    -DCURL_BROTLI=OFF -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_LIBIDN2=OFF -DCURL_DISABLE_LDAP=ON
    -DENABLE_THREADED_RESOLVER=ON
    -DLIBSSH2_INCLUDE_DIR="$prefix/include" -DLIBSSH2_LIBRARY="$ssh_libs")
  curl_stamp="curl-$curl_version-$(options_tag "$ssh_stamp" "${curl_options[@]}")"
  if ! stamp_ok "$curl_stamp"; then
    step "curl $curl_version for Windows"
    src=$(debian_source curl "$curl_version")
    cmake_cross "$src" "$cache/build/curl" "${curl_options[@]}"
    stamp_set "$curl_stamp"
  fi
}

# GoogleTest from Debian's source in /usr/src/googletest; nlohmann-json from its header
# package, placed where the cross build looks.
build_gtest() {
  local version
  version=$(dpkg-query -W -f='${Version}' googletest 2>/dev/null || dpkg-query -W -f='${Version}' libgtest-dev)
  if ! stamp_ok "googletest-$version"; then
    step "GoogleTest $version for Windows"
    cmake_cross /usr/src/googletest "$cache/build/googletest" -DBUILD_SHARED_LIBS=OFF \
      -DBUILD_GMOCK=ON -Dgtest_disable_pthreads=OFF
    stamp_set "googletest-$version"
  fi
  version=$(dpkg-query -W -f='${Version}' nlohmann-json3-dev)
  if ! stamp_ok "nlohmann-json-$version"; then
    mkdir -p "$prefix/include" "$prefix/share/cmake" "$prefix/share/pkgconfig"
    rm -rf "$prefix/include/nlohmann" "$prefix/share/cmake/nlohmann_json"
    cp -r /usr/include/nlohmann "$prefix/include/"
    cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
    stamp_set "nlohmann-json-$version"
  fi
}

# The version of a Debian source package that apt would fetch (the machine's own, when the
# binary package is installed, so the two agree).
debian_source_version() {
  local pkg=$1 installed
  case "$pkg" in
    curl) installed=$(dpkg-query -W -f='${Version}' libcurl4-openssl-dev 2>/dev/null || true) ;;
    libssh2) installed=$(dpkg-query -W -f='${Version}' libssh2-1 2>/dev/null || true) ;;
  esac
  if [ -n "$installed" ]; then
    echo "${installed%+b*}"  # a binary-only rebuild has the source's version
    return
  fi
  prepare_apt_src
  debian_source_versions "$pkg" | head -n1
}
