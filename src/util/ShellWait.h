#pragma once
// Starting an outside program and waiting for it.
#include <cstdint>
#include <string>

#include "platform/com/Boolean.h"

// How the started program's window shows.
enum class AppWindow { Hidden, Shown };

// Starts a command line and waits, with no time limit, until its program has
// ended, handling pending window events meanwhile. False, after a message,
// when the program cannot be started. `exitCode`, when given, receives the
// program's exit code (259 when it could not be started).
com::Boolean ShellWait(const std::string& cmdline, AppWindow window, std::uint32_t* exitCode = nullptr);
