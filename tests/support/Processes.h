#pragma once
// The processes running now whose command line names a text: to see that
// the programs a test's run started (in its own folders) have all ended;
// and pdftks that stall or wait.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// In place of pdftk (KALMORA_PDFTK names it): for the command line that
// names `KALMORA_KILL_AT` it writes the first half of pdftk's output, touches
// `KALMORA_KILL_MARK` and then works on until it is ended; every other
// command line goes to pdftk.
inline const char* const StalledPdftk = R"(#!/bin/bash
for output; do :; done
if [[ "$*" == *"$KALMORA_KILL_AT"* ]]; then
  /usr/bin/pdftk "${@:1:$#-1}" "$output.ganz" || exit 1
  head -c $(( $(stat -c %s "$output.ganz") / 2 )) "$output.ganz" > "$output"
  rm -f "$output.ganz"
  touch "$KALMORA_KILL_MARK"
  exec sleep 60
fi
exec /usr/bin/pdftk "$@"
)";

// In place of pdftk (KALMORA_PDFTK names it): touches `KALMORA_HOLD_MARK`
// and waits until `KALMORA_HOLD_GO` exists (a minute at most), then is pdftk.
inline const char* const HeldPdftk = R"(#!/bin/bash
touch "$KALMORA_HOLD_MARK"
for _ in $(seq 600); do [[ -e "$KALMORA_HOLD_GO" ]] && break; sleep 0.1; done
exec /usr/bin/pdftk "$@"
)";

inline std::vector<std::string> processesNaming(const std::string& text) {
    std::vector<std::string> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream in(entry.path() / "cmdline", std::ios::binary);
        std::string line;
        // A process that ends while it is read fails the read (ESRCH): it names nothing any more.
        try {
            line.assign(std::istreambuf_iterator<char>(in), {});
        } catch (const std::ios_base::failure&) {
            continue;
        }
        std::replace(line.begin(), line.end(), '\0', ' ');
        if (line.find(text) != std::string::npos) found.push_back(entry.path().filename().string() + ": " + line);
    }
    return found;
}
