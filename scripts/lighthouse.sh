#!/usr/bin/env bash
# Scores the modern web report of a tournament with Lighthouse (mobile settings, Debian's
# chromium), one page of each kind (the largest where a kind has many), and validates every
# page with html-validate. Lighthouse and html-validate come from the npm registry into
# ~/.cache/drav-lighthouse; the pages are served on a loopback port for the run.
#   bash scripts/lighthouse.sh [TOURNAMENT.dat | MATCHES.qbj.zip]   (default: the sample)
#   DRAV_CLI=path/to/drav-cli bash scripts/lighthouse.sh ...           (no build)
# Scores depend on the machine's load: run it on a quiet machine.
set -euo pipefail
cd "$(dirname "$0")/.."
input=${1:-examples/sample-tournament.dat}
tools=${DRAV_LIGHTHOUSE_CACHE:-$HOME/.cache/drav-lighthouse}
if [ ! -x "$tools/node_modules/.bin/lighthouse" ] || [ ! -x "$tools/node_modules/.bin/html-validate" ]; then
  mkdir -p "$tools"
  npm install --prefix "$tools" --no-audit --no-fund lighthouse@12 html-validate@10 >&2
fi
# DRAV_CLI: a drav-cli already built (otherwise the release build's).
cli=${DRAV_CLI:-"$(bash scripts/build.sh release --target drav-cli | tail -n 1)/bin/drav-cli"}
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT
case "$input" in
  *.zip)
    /usr/bin/python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' \
      "$input" "$work/qbj"
    "$cli" import-qbj "$work"/qbj/*.qbj "$work/t.dat" >/dev/null 2>&1
    ;;
  *) cp "$input" "$work/t.dat" ;;
esac
mkdir "$work/site"
"$cli" report "$work/t.dat" "$work/site/r" --style modern >/dev/null

port=$(/usr/bin/python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
/usr/bin/python3 -m http.server "$port" --bind 127.0.0.1 --directory "$work/site" >/dev/null 2>&1 &
server=$!
sleep 1

# One page of each kind: the name without its number, the largest file.
pages=$(cd "$work/site" && ls -S -- *.html | awk '{
  kind = $0; sub(/^r/, "", kind); gsub(/[0-9]+/, "N", kind); sub(/^_team_.*/, "_team", kind)
  sub(/^_player_.*/, "_player", kind)
  if (!(kind in seen)) { seen[kind] = 1; print $0 } }')
for dir in "$work"/site/*/; do
  [ -d "$dir" ] || continue
  pages="$pages $(cd "$work/site" && ls -S -- "$(basename "$dir")"/*.html | head -n 1)"
done

printf '%-34s %6s %6s %7s %7s %8s %8s\n' page KB perf a11y LCP TBT DOM
for page in $pages; do
  CHROME_PATH=$(command -v chromium) "$tools/node_modules/.bin/lighthouse" \
    "http://127.0.0.1:$port/$page" --quiet --form-factor=mobile \
    --chrome-flags="--headless=new --no-sandbox --disable-gpu" \
    --only-categories=performance,accessibility --output=json --output-path="$work/lh.json" \
    >/dev/null 2>&1 || { echo "$page: lighthouse failed"; continue; }
  /usr/bin/python3 - "$work/lh.json" "$page" "$(stat -c %s "$work/site/$page")" <<'EOF'
import json, sys
r = json.load(open(sys.argv[1]))
a = r["audits"]
score = lambda c: round(100 * (r["categories"][c]["score"] or 0))
print("%-34s %6.0f %6d %7d %7s %8s %8s" % (sys.argv[2], int(sys.argv[3]) / 1024, score("performance"),
      score("accessibility"), a["largest-contentful-paint"]["displayValue"],
      a["total-blocking-time"]["displayValue"], a["dom-size"].get("numericValue", 0)))
EOF
done
echo
# The standard's rules only (the recommended set adds matters of style).
echo '{"extends": ["html-validate:standard"]}' >"$work/validate.json"
(cd "$work/site" && find . -name '*.html' -print0 | xargs -0 "$tools/node_modules/.bin/html-validate" \
  --config "$work/validate.json" --formatter text && echo "html-validate: 0 errors in $(find . -name '*.html' | wc -l) pages")
