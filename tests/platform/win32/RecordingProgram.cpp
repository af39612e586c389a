// A program for the process tests: writes what it was started with (one
// argument per line, then the KALMORA_SHOW_WINDOW it saw) to the file named
// by its first argument, and exits with 7 so that the exit code is known.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string target = argv[1];
    const std::string partial = target + ".partial";
    {
        std::ofstream out(partial, std::ios::binary);
        for (int i = 0; i < argc; ++i) out << argv[i] << '\n';
        const char* show = std::getenv("KALMORA_SHOW_WINDOW");
        out << "KALMORA_SHOW_WINDOW=" << (show ? show : "(unset)") << '\n';
    }
    // Whoever polls for the file must never read half of it.
    std::rename(partial.c_str(), target.c_str());
    return 7;
}
