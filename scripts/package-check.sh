#!/usr/bin/env bash
# Builds the Debian package from the release build, installs it on this machine (as root),
# checks the installed programs and files only (never the build folder), then removes the
# package again, also when a check fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
dir=$(bash scripts/build.sh release | tail -n 1)
rm -rf "$dir/package"
(cd "$dir" && cpack -G DEB > /dev/null)
deb=$(ls "$dir"/package/drav_*.deb)
echo "== Package $(basename "$deb")"
dpkg-deb --field "$deb" Depends

sudo_cmd=""
[ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
export DEBIAN_FRONTEND=noninteractive
# dpkg -i leaves a package with missing dependencies unconfigured; apt-get -f brings them in.
$sudo_cmd dpkg -i "$deb" || true
$sudo_cmd apt-get -f install -y -qq
dpkg-query -W -f='${Status}\n' drav | grep -q "install ok installed"
tmp=$(mktemp -d)
remove() {
  $sudo_cmd dpkg -r drav > /dev/null
  rm -rf "$tmp"
}
trap remove EXIT

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@" > "$tmp/out.txt" 2>&1; then
    passed=$((passed + 1))
    echo "ok: $name"
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    sed 's/^/    /' "$tmp/out.txt"
  fi
}
contains() { grep -q -- "$2" "$1"; }

# Only the installed files: a plain PATH and a folder away from the checkout.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
cd "$tmp"
sample=/usr/share/drav/examples/sample-tournament.dat
app=io.github.drav_stats.Drav

help_ok() { drav-cli --help > help.txt && contains help.txt "usage: drav-cli COMMAND"; }
report_ok() {
  mkdir -p report
  drav-cli report "$sample" report/sample > report.txt &&
    contains report.txt "Report has been generated" && [ -s report/sample_standings.html ] &&
    drav-cli quickprint teams "$sample" | grep -q .
}
man_ok() {
  MANPAGER=cat man drav-cli > man.txt && contains man.txt "EXIT STATUS" &&
    contains man.txt "read-rosters" && man -P cat drav-cli > /dev/null
}
version_ok() {
  QT_QPA_PLATFORM=offscreen drav --version > version.txt && contains version.txt "^drav [0-9]"
}
completion_ok() {
  bash -c 'source /usr/share/bash-completion/completions/drav-cli
    completes() { # EXPECTED WORD...: completing the last word gives EXPECTED
      local expected=$1; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _drav_cli
      [ "${COMPREPLY[*]}" = "$expected" ] || { echo "$* -> ${COMPREPLY[*]}"; return 1; }
    }
    completes quickprint drav-cli qu && completes games drav-cli sort ga &&
      completes "--swiss-by-ppg" drav-cli schedule swiss f.dat --sw'
}
icons_ok() {
  local size
  for size in 16 32 48 64 128 256; do
    [ -s "/usr/share/icons/hicolor/${size}x$size/apps/$app.png" ] || return 1
  done
  [ -s "/usr/share/icons/hicolor/scalable/apps/$app.svg" ] && [ -s /usr/share/doc/drav/help/index.html ] &&
    [ -s /usr/share/doc/drav/cli.md ] && [ -s /usr/share/mime/packages/$app.xml ]
}

check "drav-cli --help" help_ok
check "sample report from the installed sample tournament" report_ok
check "man drav-cli" man_ok
check "drav --version offscreen" version_ok
check "desktop-file-validate" desktop-file-validate "/usr/share/applications/$app.desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "/usr/share/metainfo/$app.metainfo.xml"
check "bash completion of drav-cli" completion_ok
check "icons, help and file type installed" icons_ok
if [ "$failed" -ne 0 ]; then
  echo "package-check: $failed of $((passed + failed)) checks FAILED"
  exit 1
fi
echo "package-check: all $passed checks of the installed package passed"
