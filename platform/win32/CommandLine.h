#pragma once
// Command lines as Windows splits them.
#include <string>
#include <string_view>
#include <vector>

namespace win32 {

// The program and its arguments. The program name runs to the next '"' when
// the line starts with one (no escapes), else to the first blank or tab.
// Arguments are separated by blanks and tabs; 2n backslashes before '"' give
// n backslashes and toggle quoting, 2n+1 give n backslashes and a literal '"';
// other backslashes are literal; an unclosed quote runs to the end. Blanks
// and tabs before the program name are skipped; an empty line gives nothing.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

// Where a program named without a folder is found: the platform's tools
// folder (the programs built beside this library), then each folder of PATH.
// A name with a folder ("\" or "/") is taken as it is. Empty when not found.
std::string findProgram(const std::string& program);

// The platform's tools folder.
std::string toolsFolder();

}  // namespace win32
