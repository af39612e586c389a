#!/usr/bin/env bash
# Measures the letterhead composition as the add-in runs it (bench-compose:
# the add-in folder's pdftk.exe through the add-in's own process wait) against
# the same three pdftk command lines run directly, for 1, 10, 100 and 999
# pages, and prints the ratio. Needs hyperfine (installed when missing).
#   bench/composition.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"
for tool in hyperfine qpdf; do
  command -v "$tool" >/dev/null || { apt-get update -q && apt-get install -y -q "$tool"; }
done
bash scripts/setup
cmake --preset ci >/dev/null
cmake --build --preset ci --target bench-compose pdftk.exe taskkill >/dev/null

bin="$PWD/build/ci/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/AddIn"
ln -s "$bin/pdftk.exe" "$work/AddIn/pdftk.exe"
letterhead1="$PWD/examples/Briefpapier/Kopfbogen-Seite1.pdf"
letterhead2="$PWD/examples/Briefpapier/Kopfbogen-Folgeseiten.pdf"

printf '%-6s %12s %12s %7s\n' pages add-in direct ratio
for pages in 1 10 100 999; do
  # The first page and the following pages, as printing leaves them.
  qpdf --empty --pages "$letterhead2" -- "$work/first.pdf"
  rest=$(( pages > 1 ? pages - 1 : 1 ))
  qpdf --empty --pages $(for _ in $(seq "$rest"); do printf '%s ' "$letterhead1"; done) -- "$work/rest.pdf"
  hyperfine --runs "$runs" --warmup 1 --export-json "$work/$pages.json" \
    -n add-in "$bin/bench-compose '$work/AddIn' '$work/first.pdf' '$work/rest.pdf' '$letterhead1' '$letterhead2' '$work/result.pdf'" \
    -n direct "pdftk '$work/first.pdf' background '$letterhead1' output '$work/first.pdf.pdf' && pdftk '$work/rest.pdf' background '$letterhead2' output '$work/rest.pdf.pdf' && pdftk A='$work/first.pdf.pdf' B='$work/rest.pdf.pdf' cat A B output '$work/direct.pdf'" \
    >/dev/null
  python3 - "$work/$pages.json" "$pages" <<'PY'
import json, sys
r = {x["command"]: x["mean"] for x in json.load(open(sys.argv[1]))["results"]}
print("%-6s %11.3fs %11.3fs %7.3f" % (sys.argv[2], r["add-in"], r["direct"], r["add-in"] / r["direct"]))
PY
done
