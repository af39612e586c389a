#!/usr/bin/env bash
# Measures whole exports, from the click on the button to the opened PDF, as
# a user gets them: host-app loads the installed add-in, the real PDF printer
# prints, the real pdftk composes. For documents of 1, 10, 100 and 999 pages
# in each letterhead layout it prints:
#   whole     the click's duration (median of the plain runs)
#   peak      the host's peak resident memory (the most of the plain runs)
#   printing  the click less the composition (first pdftk start to last end):
#             the choice, the PDF printer's start, the jobs and their waits
#   pauses    the fixed pauses of 200 ms that the add-in sleeps (polls of the
#             PDF printer and the pause between two jobs)
#   pdftk     the pdftk runs (stamping and joining), start to end, summed
#   runs      how many pdftk runs there were
#   ratio     whole / (pdftk + pauses)
# The parts come from one more run: pdftk through a wrapper that notes its
# start and end, the host's main thread (where the add-in sleeps) under
# strace. Needs strace and python3 (installed when missing).
# Then the real-document rows: the three-page example Angebot.docx against a
# three-page text document, layout 0:
#   host      a fresh host's whole run: start (and the office's, which lays
#             the document out), one export, end (median of the runs)
#   click1    the first click of a host that exports twice (median)
#   click2    its second click (median)
# And the LibreOffice row: the same Angebot.docx in Writer with windows (an
# X server and a profile of the bench's own, the extension installed by
# scripts/install; as root also with the Debian package installed, row
# "Writer (Paket)"), the button pressed twice in one office, from the click to
# the opened PDF, the time the choice window waits for its answer left out
# (bench/libreoffice-clicks.py; needs python3-uno, installed when missing).
#   bench/export.sh [runs per case]     3 when not given
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
runs="${1:-3}"
for tool in strace python3; do
  command -v "$tool" >/dev/null || { apt-get update -q && apt-get install -y -q --no-install-recommends "$tool"; }
done
/usr/bin/python3 -c 'import uno' 2>/dev/null ||
  { apt-get update -q && apt-get install -y -q --no-install-recommends python3-uno; }
bash scripts/setup
cmake --preset ci >/dev/null
cmake --build --preset ci >/dev/null

bin="$root/build/ci/bin"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Dokumente" "$work/PDF" "$work/Welt"
export KALMORA_WORLD="$work/Welt"
"$bin/printers" add "Büro-Laser" >/dev/null
"$bin/printers" add PDFCreator >/dev/null
"$bin/printers" default "Büro-Laser" >/dev/null
"$bin/regsvr" "$root/build/ci/lib/libPDFCreator.so" >/dev/null
cp -r build/ci/addin "$work/AddIn"
# Every run replaces the last one's result without asking.
printf '[Global]\r\nErsteSeite=%s\r\nZweiteSeite=%s\r\nPDFAusgabePfadWord=%s\r\nWordGelesen=1\r\nWordOverwrite=-1\r\n' \
  "$root/examples/Briefpapier/Kopfbogen-Seite1.pdf" \
  "$root/examples/Briefpapier/Kopfbogen-Folgeseiten.pdf" \
  "$work/PDF" > "$work/AddIn/pdf-Kalmora.ini"
"$bin/regsvr" "$work/AddIn/PDF_Kalmora.so" >/dev/null

# pdftk as the add-in runs it, noting when each run starts and ends.
printf '%s\n' '#!/bin/bash' \
  'start=$(date +%s.%N)' \
  '/usr/bin/pdftk "$@"' \
  'code=$?' \
  'echo "$start $(date +%s.%N)" >> "$KALMORA_PDFTK_TIMES"' \
  'exit $code' > "$work/pdftk-timed"
chmod +x "$work/pdftk-timed"

# One click in a fresh host; the usage line of the click goes to $2.
export_once() {
  local document="$1" usage="$2"
  shift 2
  "$@" "$bin/host-app" --app word --open "$document" --load PDF_Kalmora.Connect --click \
    --ui "script:$work/antwort.txt" --usage "$usage" >/dev/null
}

printf '%-5s %-6s %8s %9s %9s %8s %8s %5s %6s\n' pages layout whole peak printing pauses pdftk runs ratio
for pages in 1 10 100 999; do
  document="$work/Dokumente/Brief$pages.doc"
  for ((page = 1; page <= pages; page++)); do
    printf 'Seite %d\n' "$page"
    if [ "$page" -lt "$pages" ]; then printf '\f'; fi
  done > "$document"
  for layout in 0 1 2; do
    echo "choice $layout" > "$work/antwort.txt"
    rm -f "$work"/usage-*.txt
    for ((run = 1; run <= runs; run++)); do
      export_once "$document" "$work/usage-$run.txt"
    done
    pages_made=$(pdfinfo "$work/PDF/Brief$pages.pdf" | awk '/^Pages:/ {print $2}')
    if [ "$pages_made" != "$pages" ]; then
      echo "bench: $pages pages in layout $layout gave $pages_made pages" >&2
      exit 1
    fi

    : > "$work/pdftk-times.txt"
    KALMORA_PDFTK="$work/pdftk-timed" KALMORA_PDFTK_TIMES="$work/pdftk-times.txt" \
      export_once "$document" "$work/usage-traced.txt" \
      strace -ttt -T -e trace=clock_nanosleep -e signal=none -o "$work/trace.txt"
    python3 - "$work" "$pages" "$layout" <<'PY'
import glob, re, statistics, sys

work, pages, layout = sys.argv[1:]

def usage(path):
    line = open(path).read().splitlines()[-1]
    return {k: float(v) for k, v in (f.split("=") for f in line.split())}

plain = [usage(p) for p in sorted(glob.glob(work + "/usage-[0-9]*.txt"))]
whole = statistics.median(u["sekunden"] for u in plain)
peak = max(u["spitze_kb"] for u in plain)

# The add-in's fixed pauses of 200 ms, as long as they were slept.
pauses = 0.0
for line in open(work + "/trace.txt"):
    if "tv_sec=0, tv_nsec=200000000}" in line:
        pauses += float(re.search(r"<(\d+\.\d+)>\s*$", line)[1])

runs = [tuple(map(float, line.split())) for line in open(work + "/pdftk-times.txt")]
pdftk = sum(end - start for start, end in runs)
span = max(e for _, e in runs) - min(s for s, _ in runs)
click = usage(work + "/usage-traced.txt")["sekunden"]
print("%-5s %-6s %7.3fs %7.0fkB %8.3fs %7.3fs %7.3fs %5d %6.2f" % (
    pages, layout, whole, peak, click - span, pauses, pdftk, len(runs), whole / (pdftk + pauses)))
PY
  done
done

echo
echo "choice 0" > "$work/antwort.txt"
printf 'choice 0\nchoice 0\n' > "$work/antwort-zweimal.txt"
printf 'Seite 1\n\fSeite 2\n\fSeite 3\n' > "$work/Dokumente/Brief3.doc"
cp examples/Dokumente/Angebot.docx "$work/Dokumente/"
printf '%-14s %8s %8s %8s\n' document host click1 click2
for name in Brief3.doc Angebot.docx; do
  rm -f "$work"/whole-*.txt "$work"/twice-*.txt
  for ((run = 1; run <= runs; run++)); do
    start=$(date +%s.%N)
    export_once "$work/Dokumente/$name" "$work/usage-once.txt"
    echo "$start $(date +%s.%N)" > "$work/whole-$run.txt"
    "$bin/host-app" --app word --open "$work/Dokumente/$name" --load PDF_Kalmora.Connect --click --click \
      --ui "script:$work/antwort-zweimal.txt" --usage "$work/twice-$run.txt" >/dev/null
  done
  python3 - "$work" "$name" <<'PY'
import glob, statistics, sys

work, name = sys.argv[1:]
whole = statistics.median(float(e) - float(s) for s, e in (open(p).read().split() for p in glob.glob(work + "/whole-*.txt")))
clicks = [[float(f.split("=")[1]) for f in line.split() if f.startswith("sekunden=")][0]
          for p in glob.glob(work + "/twice-*.txt") for line in open(p).read().splitlines()[1:]]
print("%-14s %7.3fs %7.3fs %7.3fs" % (name, whole, statistics.median(clicks[0::2]), statistics.median(clicks[1::2])))
PY
done

# Writer as the host: two clicks in one office, per run a fresh office; once
# with the build's extension added to a profile of the bench's own
# (scripts/install), once with the Debian package installed (its bundled
# extension; root only, purged again at the end).
writer_row() {
  local label="$1" lo="$work/LibreOffice-$2"
  mkdir -p "$lo/bin" "$lo/pdf-Kalmora"
  printf '#!/bin/sh\necho "$1" >> %s/geoeffnet.txt\n' "$lo" > "$lo/bin/xdg-open"
  chmod +x "$lo/bin/xdg-open"
  [ "$2" = build ] && bash scripts/install --build "$root/build/ci" --profile "$lo/Profil" >/dev/null
  # The office finds the add-in folder with these settings and leaves them.
  cp "$work/AddIn/pdf-Kalmora.ini" "$lo/pdf-Kalmora/pdf-Kalmora.ini"
  exec 3< <(Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>&1 2>/dev/null)
  local xvfb=$! display
  read -r display <&3
  local office=/usr/lib/libreoffice/program/soffice.bin
  for ((run = 1; run <= runs; run++)); do
    XDG_DATA_HOME="$lo" DISPLAY=":$display" "$office" --headless --invisible --nologo --norestore --nodefault \
      --terminate_after_init "-env:UserInstallation=file://$lo/Profil" >/dev/null 2>&1 || true
    # At its first start after the bundled extensions changed, an office with
    # windows registers them and asks to be started anew (exit code 81), as
    # its launcher then does.
    (
      for _ in 1 2; do
        code=0
        XDG_DATA_HOME="$lo" DISPLAY=":$display" PATH="$lo/bin:$PATH" "$office" --nologo --norestore --nodefault \
          --nolockcheck "-env:UserInstallation=file://$lo/Profil" "--accept=pipe,name=kalmora-bench-$$;urp;" \
          >/dev/null 2>&1 || code=$?
        [ "$code" -eq 81 ] || break
      done
    ) &
    DISPLAY=":$display" /usr/bin/python3 bench/libreoffice-clicks.py "kalmora-bench-$$" \
      "$work/Dokumente/Angebot.docx" "$lo/geoeffnet.txt" > "$work/lo-$2-$run.txt"
    wait $!
  done
  kill "$xvfb"
  python3 - "$work" "$2" "$label" <<'PY'
import glob, statistics, sys

clicks = [open(p).read().split() for p in glob.glob(sys.argv[1] + "/lo-" + sys.argv[2] + "-*.txt")]
print("%-14s %8s %7.3fs %7.3fs" % (sys.argv[3], "", statistics.median(float(c[0]) for c in clicks),
                                   statistics.median(float(c[1]) for c in clicks)))
PY
}
writer_row Writer build
if [ "$(id -u)" -eq 0 ]; then
  bash scripts/package --build "$root/build/ci" >/dev/null
  trap 'apt-get purge -y -q libreoffice-pdf-kalmora >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
  apt-get install -y -q "./dist/libreoffice-pdf-kalmora_$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' \
    build/ci/CMakeCache.txt)-1_amd64.deb" >/dev/null
  writer_row "Writer (Paket)" package
fi
